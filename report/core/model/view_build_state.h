// What a build gives a template object for a while. The building engine sets these fields
// while it lays the object out; a template does not store them and drawing does not read them.
#pragma once

#include <cstdint>
#include <string>

namespace report {

class Band;
class Dataset;
class PropertyAccess;

// Stretchable objects: what laying one out does with it.
enum class StretchDrawMode : uint8_t { kDraw = 0, kMeasure = 1, kDrawFitting = 2 };

struct ViewBuildState {
    Band* parentBand = nullptr;  // the run-time band the object belongs to; not owned
    // Band objects: their own run-time band; Left, Top, Width, Height, Visible, DATASOURCE and
    // ChildBand act on it while building. Not owned.
    PropertyAccess* runtimeBand = nullptr;
    Dataset* dataSource = nullptr;  // the data source bound to the object; not owned
    std::string fieldName;          // the data field bound to it
    // Stretchable objects: the height their content needs (design pixels) and the draw mode.
    int32_t actualHeight = 0;
    StretchDrawMode drawMode = StretchDrawMode::kDraw;
};

}  // namespace report
