// Build tool: the desktop icons of the program, drawn from its emblem.
//   make_icons FOLDER
// writes FOLDER/tombage.svg and FOLDER/tombage-48.png, -128.png, -256.png (the hicolor sizes the
// package installs). Runs without a display (QT_QPA_PLATFORM=offscreen).
#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>

#include "app/windows/emblem.h"

namespace {

bool WritePng(const QString& folder, int size) {
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(static_cast<double>(size) / app::kEmblemSize,
                  static_cast<double>(size) / app::kEmblemSize);
    app::PaintEmblem(painter);
    painter.end();
    return image.save(QStringLiteral("%1/tombage-%2.png").arg(folder).arg(size));
}

bool WriteSvg(const QString& folder) {
    QSvgGenerator svg;
    svg.setFileName(folder + QStringLiteral("/tombage.svg"));
    svg.setSize(QSize(app::kEmblemSize, app::kEmblemSize));
    svg.setViewBox(QRect(0, 0, app::kEmblemSize, app::kEmblemSize));
    svg.setTitle(QStringLiteral("Tombage"));
    svg.setDescription(QStringLiteral("Tombage — tirage au sort des rencontres"));
    QPainter painter;
    if (!painter.begin(&svg)) return false;
    app::PaintEmblem(painter);
    return painter.end();
}

}  // namespace

int main(int argc, char** argv) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage : make_icons DOSSIER\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    if (!QDir().mkpath(folder) || !WriteSvg(folder)) {
        std::fprintf(stderr, "Impossible de créer le fichier %s/tombage.svg\n", argv[1]);
        return 1;
    }
    for (const int size : {48, 128, 256}) {
        if (!WritePng(folder, size)) {
            std::fprintf(stderr, "Impossible de créer le fichier %s/tombage-%d.png\n", argv[1],
                         size);
            return 1;
        }
    }
    return 0;
}
