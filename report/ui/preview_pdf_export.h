// Writes prepared pages into a PDF file through the same page painter as the screen.
#pragma once

#include <QImage>
#include <QString>

#include "report/core/render/page_drawing.h"

namespace report {

class PreparedPages;

// One PDF page per prepared page, each of its own paper size and orientation. Pages that
// were not live before are released again. FileCreateError when the file cannot be written.
void ExportPagesToPdf(PreparedPages& pages, const QString& path,
                      const PageDrawOptions& options = {});

// The page drawn into an image `width` pixels wide (the height follows the sheet), for
// thumbnails; a page not live before is released again.
QImage RenderPageImage(PreparedPages& pages, int index, int width,
                       const PageDrawOptions& options = {});

}  // namespace report
