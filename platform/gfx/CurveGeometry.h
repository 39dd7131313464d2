// Ellipses, arcs and rounded rectangles flattened to integer points on the pixel grid. The
// figures lie in the bounding box with right and bottom outside, as GDI draws them: the path
// runs through the pixels of the box's outermost rows and columns.
#pragma once

#include <cstdint>
#include <vector>

namespace kq::gfx {

struct Point64 {
    int64_t x;
    int64_t y;
    bool operator==(const Point64&) const = default;
};

// A closed loop around the ellipse of the box (first point not repeated at the end).
std::vector<Point64> EllipsePath(int64_t left, int64_t top, int64_t right, int64_t bottom);

// The arc of the box's ellipse from the ray towards (xStart, yStart) to the ray towards
// (xEnd, yEnd), counter-clockwise on the screen unless clockwise is set; equal rays give the
// whole ellipse. Both end points are included.
std::vector<Point64> ArcPath(int64_t left, int64_t top, int64_t right, int64_t bottom,
                             int64_t xStart, int64_t yStart, int64_t xEnd, int64_t yEnd,
                             bool clockwise);

// A closed loop around the rectangle with corners rounded by an ellipse of the given size.
std::vector<Point64> RoundRectPath(int64_t left, int64_t top, int64_t right, int64_t bottom,
                                   int64_t ellipseWidth, int64_t ellipseHeight);

// The centre of the box's ellipse, rounded to the pixel grid.
Point64 EllipseCentre(int64_t left, int64_t top, int64_t right, int64_t bottom);

}  // namespace kq::gfx
