// Build tool: turns a help document written in HTML (UTF-8) into a PDF.
//   make_help_pdf SOURCE.html OUTPUT.pdf [PREVIEW.png]
// PREVIEW.png, for the writer of the help: the first page as a picture, laid out as in the PDF.
// Runs without a display (QT_QPA_PLATFORM=offscreen). Relative image paths are taken from the
// source's folder.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage : make_help_pdf SOURCE.html OUTPUT.pdf [PREVIEW.png]\n");
        return 2;
    }
    const QString sourcePath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);
    QFile source(sourcePath);
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "Impossible d'ouvrir le fichier %s\n", argv[1]);
        return 1;
    }
    const QString html = QString::fromUtf8(source.readAll());

    QTextDocument document;
    document.setBaseUrl(
        QUrl::fromLocalFile(QFileInfo(sourcePath).absolutePath() + QLatin1Char('/')));
    QFont font;
    font.setFamilies(
        QStringList{QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    font.setPointSize(11);
    document.setDefaultFont(font);
    document.setHtml(html);

    QPdfWriter writer(outputPath);
    writer.setTitle(document.metaInformation(QTextDocument::DocumentTitle));
    writer.setCreator(QStringLiteral("Tombage"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(20, 18, 20, 18), QPageLayout::Millimeter));
    writer.setResolution(300);
    document.print(&writer);
    if (argc == 4) {
        // The page laid out at the writer's size, drawn at 100 dots per inch.
        QTextDocument layout;
        layout.setBaseUrl(document.baseUrl());
        layout.setDefaultFont(font);
        layout.setHtml(html);
        const qreal scale = 100.0 / 72.0;
        const QSizeF pointSize = writer.pageLayout().paintRect(QPageLayout::Point).size();
        layout.setPageSize(pointSize);
        QImage image((pointSize * scale).toSize(), QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.scale(scale, scale);
        layout.drawContents(&painter, QRectF(QPointF(0, 0), pointSize));
        painter.end();
        image.save(QString::fromLocal8Bit(argv[3]));
    }
    if (!QFileInfo(outputPath).exists() || QFileInfo(outputPath).size() == 0) {
        std::fprintf(stderr, "Impossible de créer le fichier %s\n", argv[2]);
        return 1;
    }
    return 0;
}
