// The signal pages of the video module windows: the format, signal set and signal lists, the
// frame picture lists, and the output timing. The analog models split the horizontal delay
// into a coarse and a fine field; the serial models have one delay field.
#pragma once

#include "platform/DialogTemplate.h"
#include "resources/corvane/VideoForms.h"

namespace corvane {

constexpr int IDD_OLTRA_SIGNAL = 241;
constexpr int IDD_YARLO_SIGNAL = 248;
constexpr int IDD_SORMET_SIGNAL = 196;
constexpr int IDD_ULMETH_SIGNAL = 197;

constexpr int IDC_SIGNAL_FORMAT = 1174;
constexpr int IDC_SIGNAL_SET = 1292;
constexpr int IDC_SIGNAL_SIGNAL = 1175;
constexpr int IDC_SIGNAL_FRAME_PICTURE = 1342;
constexpr int IDC_SIGNAL_PICTURE_SET = 1340;
constexpr int IDC_SIGNAL_PICTURE = 1341;
constexpr int IDC_SIGNAL_FORMAT_LABEL = 1343;
constexpr int IDC_SIGNAL_SET_LABEL = 1344;
constexpr int IDC_SIGNAL_SIGNAL_LABEL = 1345;
constexpr int IDC_SIGNAL_PICTURE_SET_LABEL = 1346;
constexpr int IDC_SIGNAL_PICTURE_LABEL = 1347;
// Lines: the up-down writes its position into the edit.
constexpr int IDC_SIGNAL_LINES = 1178;
constexpr int IDC_SIGNAL_LINES_SPIN = 1176;
// Serial models: the delay in microseconds; the up-down counts steps and the page writes.
constexpr int IDC_SIGNAL_DELAY = 1179;
constexpr int IDC_SIGNAL_DELAY_SPIN = 1177;
// Analog models: coarse part in microseconds, fine part in nanoseconds, both written by the
// page.
constexpr int IDC_OLTRA_COARSE = 1403;
constexpr int IDC_OLTRA_COARSE_SPIN = 1404;
constexpr int IDC_OLTRA_FINE = 1390;
constexpr int IDC_OLTRA_FINE_SPIN = 1392;
constexpr int IDC_YARLO_COARSE = 1409;
constexpr int IDC_YARLO_COARSE_SPIN = 1410;
constexpr int IDC_YARLO_FINE = 1407;
constexpr int IDC_YARLO_FINE_SPIN = 1408;

// The signal page of a video model.
const platform::DialogTemplate& VideoSignalPageTemplate(VideoModel model);

}  // namespace corvane
