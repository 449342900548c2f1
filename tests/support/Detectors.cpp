// SPDX-License-Identifier: MIT
#include "support/Detectors.h"

#include <opencv2/aruco/charuco.hpp>
#include <opencv2/calib3d.hpp>

cv::Mat GreyMat(const QImage& grey) {
    return cv::Mat(grey.height(), grey.width(), CV_8UC1, const_cast<uchar*>(grey.constBits()),
                   size_t(grey.bytesPerLine()));
}

bool FindGrid(const QImage& grey, TargetKind kind, cv::Size pattern, Detection& found) {
    if (kind == TargetKind::Checkerboard)
        return cv::findChessboardCorners(GreyMat(grey), pattern, found.points);
    return cv::findCirclesGrid(GreyMat(grey), pattern, found.points,
                               kind == TargetKind::Circles ? cv::CALIB_CB_SYMMETRIC_GRID
                                                           : cv::CALIB_CB_ASYMMETRIC_GRID);
}

void FindCharuco(const QImage& grey, cv::Size squares, const cv::Ptr<cv::aruco::Dictionary>& d,
                 double markerFraction, int firstId, Detection& markers, Detection& corners) {
    const auto board = cv::aruco::CharucoBoard::create(squares.width, squares.height, 1.0f,
                                                       float(markerFraction), d);
    for (int& id : board->ids)
        id += firstId;
    std::vector<std::vector<cv::Point2f>> quads;
    cv::aruco::detectMarkers(GreyMat(grey), d, quads, markers.ids);
    for (const auto& q : quads)
        markers.points.push_back((q[0] + q[1] + q[2] + q[3]) / 4);
    if (!quads.empty())
        cv::aruco::interpolateCornersCharuco(quads, markers.ids, GreyMat(grey), board,
                                             corners.points, corners.ids);
}

void FindMarkers(const QImage& grey, const cv::Ptr<cv::aruco::Dictionary>& d, int borderBits,
                 Detection& markers) {
    const auto parameters = cv::aruco::DetectorParameters::create();
    parameters->markerBorderBits = borderBits;
    parameters->cornerRefinementMethod = cv::aruco::CORNER_REFINE_SUBPIX;
    cv::aruco::detectMarkers(GreyMat(grey), d, markers.corners, markers.ids, parameters);
    for (const auto& q : markers.corners)
        markers.points.push_back((q[0] + q[1] + q[2] + q[3]) / 4);
}

bool FitGrid(const std::vector<cv::Point2f>& image, const std::vector<cv::Point2f>& object,
             double maxError, double scale, double tolerance) {
    const cv::Mat map = cv::estimateAffine2D(object, image, cv::noArray(), cv::LMEDS);
    if (map.empty())
        return false;
    std::vector<cv::Point2f> mapped;
    cv::transform(object, mapped, map);
    if (const double off = cv::norm(cv::Mat(mapped), cv::Mat(image), cv::NORM_INF);
        off > maxError) {
        qWarning("a point is %.2f pixels off the grid", off);
        return false;
    }
    cv::Mat scales; // the singular values of the linear part: the scale along either axis
    cv::SVD::compute(map.colRange(0, 2), scales);
    const double worst = std::max(std::abs(scales.at<double>(0) / scale - 1),
                                  std::abs(scales.at<double>(1) / scale - 1));
    if (worst > tolerance)
        qWarning("the pitch is %.3f %% off", worst * 100);
    return worst <= tolerance;
}
