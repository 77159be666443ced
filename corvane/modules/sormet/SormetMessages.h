// Messages between the Sormet view and its pages. A page reports each accepted change with one
// of these (wParam and lParam as noted; a double or a text goes by the address of the page's
// own copy); the view's reloads go the other way. One number can mean two things on two
// windows: the view tells apart what it receives, each page what it receives.
#pragma once

#include "platform/Types.h"

namespace corvane {

// Signal page -> view. The format carries wParam the format's code and lParam its name; a set,
// a signal, a picture set and a picture carry wParam the index and lParam the name.
constexpr platform::UINT WM_SORMET_FORMAT = platform::WM_USER + 130;      // 1154
constexpr platform::UINT WM_SORMET_SIGNAL_SET = platform::WM_USER + 131;  // 1155
constexpr platform::UINT WM_SORMET_SIGNAL = platform::WM_USER + 132;      // 1156
constexpr platform::UINT WM_SORMET_LINES = platform::WM_USER + 133;       // 1157, lParam the lines
constexpr platform::UINT WM_SORMET_DELAY = platform::WM_USER + 134;  // 1158, lParam &double seconds
// lParam &{lines, delay}: the view reads the live output-1 timing and answers 1 when filled.
constexpr platform::UINT WM_SORMET_TIMING_QUERY = platform::WM_USER + 176;  // 1200
constexpr platform::UINT WM_SORMET_FRAME_PICTURE =
    platform::WM_USER + 180;  // 1204, wParam 1 on, 0 off
constexpr platform::UINT WM_SORMET_PICTURE_SET = platform::WM_USER + 181;  // 1205
constexpr platform::UINT WM_SORMET_PICTURE = platform::WM_USER + 182;      // 1206

// Moving picture page -> view: lParam the value; random: wParam 1 on, 0 off.
constexpr platform::UINT WM_SORMET_MOVING_HSTEP = platform::WM_USER + 135;   // 1159
constexpr platform::UINT WM_SORMET_MOVING_VSTEP = platform::WM_USER + 136;   // 1160
constexpr platform::UINT WM_SORMET_MOVING_PERIOD = platform::WM_USER + 137;  // 1161
constexpr platform::UINT WM_SORMET_MOVING_RANDOM = platform::WM_USER + 138;  // 1162

// Overlay page -> view. States go in wParam, positions and the diameter in lParam, the logo
// positions by the address of a double (percent), the names by address.
constexpr platform::UINT WM_SORMET_LOGO_STATE = platform::WM_USER + 139;    // 1163
constexpr platform::UINT WM_SORMET_LOGO_NAME = platform::WM_USER + 140;     // 1164
constexpr platform::UINT WM_SORMET_LOGO_X = platform::WM_USER + 141;        // 1165
constexpr platform::UINT WM_SORMET_LOGO_Y = platform::WM_USER + 142;        // 1166
constexpr platform::UINT WM_SORMET_TEXT_STATE = platform::WM_USER + 143;    // 1167
constexpr platform::UINT WM_SORMET_TEXT = platform::WM_USER + 144;          // 1168
constexpr platform::UINT WM_SORMET_TEXT_X = platform::WM_USER + 145;        // 1169
constexpr platform::UINT WM_SORMET_TEXT_Y = platform::WM_USER + 146;        // 1170
constexpr platform::UINT WM_SORMET_CIRCLE_STATE = platform::WM_USER + 147;  // 1171
constexpr platform::UINT WM_SORMET_CIRCLE_X = platform::WM_USER + 148;      // 1172
constexpr platform::UINT WM_SORMET_CIRCLE_Y = platform::WM_USER + 149;      // 1173
constexpr platform::UINT WM_SORMET_DIAMETER = platform::WM_USER + 150;      // 1174
constexpr platform::UINT WM_SORMET_BLINK = platform::WM_USER + 184;  // 1208, wParam 0, 2 or 3

// Audio page of output 1 -> view: wParam the group 0..3, or the channel 0..15 (4 x group +
// channel in the group); lParam the value (hertz, dBFS, seconds, bits or a code).
constexpr platform::UINT WM_SORMET_AUDIO_GROUP_STATE = platform::WM_USER + 151;  // 1175
constexpr platform::UINT WM_SORMET_AUDIO_EMPHASIS = platform::WM_USER + 152;     // 1176
constexpr platform::UINT WM_SORMET_AUDIO_SAMPLING = platform::WM_USER + 153;     // 1177
constexpr platform::UINT WM_SORMET_AUDIO_BITS = platform::WM_USER + 154;         // 1178
constexpr platform::UINT WM_SORMET_AUDIO_FREQUENCY = platform::WM_USER + 155;    // 1179
constexpr platform::UINT WM_SORMET_AUDIO_AMPLITUDE = platform::WM_USER + 156;    // 1180
constexpr platform::UINT WM_SORMET_AUDIO_CLICK = platform::WM_USER + 157;        // 1181

// Video page -> view: lParam the value.
constexpr platform::UINT WM_SORMET_VIDEO_Y = platform::WM_USER + 158;     // 1182
constexpr platform::UINT WM_SORMET_VIDEO_PB = platform::WM_USER + 159;    // 1183
constexpr platform::UINT WM_SORMET_VIDEO_PR = platform::WM_USER + 160;    // 1184
constexpr platform::UINT WM_SORMET_VIDEO_BITS = platform::WM_USER + 161;  // 1185, 8 or 10
constexpr platform::UINT WM_SORMET_VIDEO_EDH = platform::WM_USER + 162;   // 1186
constexpr platform::UINT WM_SORMET_AV_TIMING = platform::WM_USER + 185;   // 1209

// Black page -> view: lParam the value; the delay by address.
constexpr platform::UINT WM_SORMET_BLACK_LINES = platform::WM_USER + 163;   // 1187
constexpr platform::UINT WM_SORMET_BLACK_DELAY = platform::WM_USER + 164;   // 1188
constexpr platform::UINT WM_SORMET_BLACK_FORMAT = platform::WM_USER + 165;  // 1189
constexpr platform::UINT WM_SORMET_BLACK_SIGNAL = platform::WM_USER + 166;  // 1190
constexpr platform::UINT WM_SORMET_BLACK_BITS = platform::WM_USER + 174;    // 1198
constexpr platform::UINT WM_SORMET_BLACK_EDH = platform::WM_USER + 175;     // 1199
// lParam &{lines, delay}: the live output-2 timing, answered 1 when filled.
constexpr platform::UINT WM_SORMET_BLACK_TIMING_QUERY = platform::WM_USER + 177;  // 1201

// Audio page of output 2 -> view, as output 1's.
constexpr platform::UINT WM_SORMET_BLACK_AUDIO_GROUP_STATE = platform::WM_USER + 167;  // 1191
constexpr platform::UINT WM_SORMET_BLACK_AUDIO_EMPHASIS = platform::WM_USER + 168;     // 1192
constexpr platform::UINT WM_SORMET_BLACK_AUDIO_SAMPLING = platform::WM_USER + 169;     // 1193
constexpr platform::UINT WM_SORMET_BLACK_AUDIO_BITS = platform::WM_USER + 170;         // 1194
constexpr platform::UINT WM_SORMET_BLACK_AUDIO_FREQUENCY = platform::WM_USER + 171;    // 1195
constexpr platform::UINT WM_SORMET_BLACK_AUDIO_AMPLITUDE = platform::WM_USER + 172;    // 1196
constexpr platform::UINT WM_SORMET_BLACK_AUDIO_CLICK = platform::WM_USER + 173;        // 1197

// View -> pages, wParam 0 and lParam 0 unless noted. The format numbers go back to the page
// that sent them (set the timing limits again) and on to the audio page of that output
// (wParam the new format).
constexpr platform::UINT WM_SORMET_TIMING_RELOAD =
    platform::WM_USER + 178;  // 1202, to the signal page
constexpr platform::UINT WM_SORMET_BLACK_TIMING_RELOAD =
    platform::WM_USER + 179;  // 1203, to the black page
constexpr platform::UINT WM_SORMET_TEXT_RELOAD =
    WM_SORMET_FRAME_PICTURE;  // 1204, to the overlay page
constexpr platform::UINT WM_SORMET_LOGO_RELOAD =
    platform::WM_USER + 183;  // 1207, to the overlay page

}  // namespace corvane
