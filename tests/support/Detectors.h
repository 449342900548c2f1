// SPDX-License-Identifier: MIT
#pragma once

#include "targets/TargetOptions.h"

#include <QImage>
#include <opencv2/aruco/dictionary.hpp>
#include <vector>

// OpenCV's own detectors, for the tests only: what a calibration program
// finds on a rendered page (8-bit grey). Points are image pixels.
struct Detection {
    std::vector<cv::Point2f> points;
    std::vector<int> ids;                          // ChArUco corners' or markers' IDs
    std::vector<std::vector<cv::Point2f>> corners; // each marker's, refined to subpixels
};

// An 8-bit grey image as an OpenCV matrix over the same pixels, no copy.
cv::Mat GreyMat(const QImage& grey);

// findChessboardCorners (inner corners across x down) or findCirclesGrid
// (circles per row x rows, symmetric or ASYMMETRIC_GRID; OpenCV's blob
// detector takes circles up to 5000 pixels in area), by the kind of target.
bool FindGrid(const QImage& grey, TargetKind kind, cv::Size pattern, Detection& found);

// detectMarkers (each marker's centre), then interpolateCornersCharuco into
// corners for OpenCV 4.6's board of that many squares, markers from firstId on.
void FindCharuco(const QImage& grey, cv::Size squares, const cv::Ptr<cv::aruco::Dictionary>& d,
                 double markerFraction, int firstId, Detection& markers, Detection& corners);

// detectMarkers with that many border bits (AprilGrid's tags have 2): each
// marker's corners, centre and ID.
void FindMarkers(const QImage& grey, const cv::Ptr<cv::aruco::Dictionary>& d, int borderBits,
                 Detection& markers);

// Whether the affine map that fits best (least median of squares) takes every
// object point to within maxError pixels of its image point (along x and y),
// and scales by
// `scale` within `tolerance` (a fraction) along either axis.
bool FitGrid(const std::vector<cv::Point2f>& image, const std::vector<cv::Point2f>& object,
             double maxError, double scale, double tolerance);
