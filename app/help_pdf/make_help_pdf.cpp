// Build tool: turns a help document written in HTML (UTF-8) into a PDF.
//   make_help_pdf SOURCE.html OUTPUT.pdf
// Runs without a display (QT_QPA_PLATFORM=offscreen). Relative image paths are taken from the
// source's folder.
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTextDocument>
#include <QUrl>
#include <cstdio>

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage : make_help_pdf SOURCE.html OUTPUT.pdf\n");
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
    if (!QFileInfo(outputPath).exists() || QFileInfo(outputPath).size() == 0) {
        std::fprintf(stderr, "Impossible de créer le fichier %s\n", argv[2]);
        return 1;
    }
    return 0;
}
