// Messages between the Ulmeth view and its pages. The Ulmeth numbers are the Sormet's plus 60
// (SormetMessages.h tells what each carries), except where that would land on a number the
// main frame already uses or the Ulmeth has nothing to send: 1267 is the Ulmeth's own clock
// family to the main frame, so the logo reload, the blink and the AV timing move one up, and
// output 1 has no resolution or EDH (1245, 1246 do not exist).
#pragma once

#include "platform/Types.h"

namespace corvane {

// Signal page -> view; the format carries wParam the HD format code.
constexpr platform::UINT WM_ULMETH_FORMAT = platform::WM_USER + 190;         // 1214
constexpr platform::UINT WM_ULMETH_SIGNAL_SET = platform::WM_USER + 191;     // 1215
constexpr platform::UINT WM_ULMETH_SIGNAL = platform::WM_USER + 192;         // 1216
constexpr platform::UINT WM_ULMETH_LINES = platform::WM_USER + 193;          // 1217
constexpr platform::UINT WM_ULMETH_DELAY = platform::WM_USER + 194;          // 1218
constexpr platform::UINT WM_ULMETH_TIMING_QUERY = platform::WM_USER + 236;   // 1260
constexpr platform::UINT WM_ULMETH_FRAME_PICTURE = platform::WM_USER + 240;  // 1264
constexpr platform::UINT WM_ULMETH_PICTURE_SET = platform::WM_USER + 241;    // 1265
constexpr platform::UINT WM_ULMETH_PICTURE = platform::WM_USER + 242;        // 1266

// Moving picture page -> view.
constexpr platform::UINT WM_ULMETH_MOVING_HSTEP = platform::WM_USER + 195;   // 1219
constexpr platform::UINT WM_ULMETH_MOVING_VSTEP = platform::WM_USER + 196;   // 1220
constexpr platform::UINT WM_ULMETH_MOVING_PERIOD = platform::WM_USER + 197;  // 1221
constexpr platform::UINT WM_ULMETH_MOVING_RANDOM = platform::WM_USER + 198;  // 1222

// Overlay page -> view.
constexpr platform::UINT WM_ULMETH_LOGO_STATE = platform::WM_USER + 199;    // 1223
constexpr platform::UINT WM_ULMETH_LOGO_NAME = platform::WM_USER + 200;     // 1224
constexpr platform::UINT WM_ULMETH_LOGO_X = platform::WM_USER + 201;        // 1225
constexpr platform::UINT WM_ULMETH_LOGO_Y = platform::WM_USER + 202;        // 1226
constexpr platform::UINT WM_ULMETH_TEXT_STATE = platform::WM_USER + 203;    // 1227
constexpr platform::UINT WM_ULMETH_TEXT = platform::WM_USER + 204;          // 1228
constexpr platform::UINT WM_ULMETH_TEXT_X = platform::WM_USER + 205;        // 1229
constexpr platform::UINT WM_ULMETH_TEXT_Y = platform::WM_USER + 206;        // 1230
constexpr platform::UINT WM_ULMETH_CIRCLE_STATE = platform::WM_USER + 207;  // 1231
constexpr platform::UINT WM_ULMETH_CIRCLE_X = platform::WM_USER + 208;      // 1232
constexpr platform::UINT WM_ULMETH_CIRCLE_Y = platform::WM_USER + 209;      // 1233
constexpr platform::UINT WM_ULMETH_DIAMETER = platform::WM_USER + 210;      // 1234
constexpr platform::UINT WM_ULMETH_BLINK = platform::WM_USER + 245;         // 1269

// Audio page of output 1 -> view.
constexpr platform::UINT WM_ULMETH_AUDIO_GROUP_STATE = platform::WM_USER + 211;  // 1235
constexpr platform::UINT WM_ULMETH_AUDIO_EMPHASIS = platform::WM_USER + 212;     // 1236
constexpr platform::UINT WM_ULMETH_AUDIO_SAMPLING = platform::WM_USER + 213;     // 1237
constexpr platform::UINT WM_ULMETH_AUDIO_BITS = platform::WM_USER + 214;         // 1238
constexpr platform::UINT WM_ULMETH_AUDIO_FREQUENCY = platform::WM_USER + 215;    // 1239
constexpr platform::UINT WM_ULMETH_AUDIO_AMPLITUDE = platform::WM_USER + 216;    // 1240
constexpr platform::UINT WM_ULMETH_AUDIO_CLICK = platform::WM_USER + 217;        // 1241

// Video page -> view.
constexpr platform::UINT WM_ULMETH_VIDEO_Y = platform::WM_USER + 218;    // 1242
constexpr platform::UINT WM_ULMETH_VIDEO_PB = platform::WM_USER + 219;   // 1243
constexpr platform::UINT WM_ULMETH_VIDEO_PR = platform::WM_USER + 220;   // 1244
constexpr platform::UINT WM_ULMETH_AV_TIMING = platform::WM_USER + 246;  // 1270

// Black page -> view; the format carries lParam the HD format code.
constexpr platform::UINT WM_ULMETH_BLACK_LINES = platform::WM_USER + 223;         // 1247
constexpr platform::UINT WM_ULMETH_BLACK_DELAY = platform::WM_USER + 224;         // 1248
constexpr platform::UINT WM_ULMETH_BLACK_FORMAT = platform::WM_USER + 225;        // 1249
constexpr platform::UINT WM_ULMETH_BLACK_SIGNAL = platform::WM_USER + 226;        // 1250
constexpr platform::UINT WM_ULMETH_BLACK_TIMING_QUERY = platform::WM_USER + 237;  // 1261
// The view stores these as the Sormet's do, though no Ulmeth page has the controls for them.
constexpr platform::UINT WM_ULMETH_BLACK_BITS = platform::WM_USER + 234;  // 1258
constexpr platform::UINT WM_ULMETH_BLACK_EDH = platform::WM_USER + 235;   // 1259

// Audio page of output 2 -> view.
constexpr platform::UINT WM_ULMETH_BLACK_AUDIO_GROUP_STATE = platform::WM_USER + 227;  // 1251
constexpr platform::UINT WM_ULMETH_BLACK_AUDIO_EMPHASIS = platform::WM_USER + 228;     // 1252
constexpr platform::UINT WM_ULMETH_BLACK_AUDIO_SAMPLING = platform::WM_USER + 229;     // 1253
constexpr platform::UINT WM_ULMETH_BLACK_AUDIO_BITS = platform::WM_USER + 230;         // 1254
constexpr platform::UINT WM_ULMETH_BLACK_AUDIO_FREQUENCY = platform::WM_USER + 231;    // 1255
constexpr platform::UINT WM_ULMETH_BLACK_AUDIO_AMPLITUDE = platform::WM_USER + 232;    // 1256
constexpr platform::UINT WM_ULMETH_BLACK_AUDIO_CLICK = platform::WM_USER + 233;        // 1257

// View -> pages. The view does not pass the formats on to the audio pages: the Ulmeth's
// audio groups do not depend on the format. The view also takes the Brumo's and the Kintor's
// clock families the main frame relays (WM_BRUMO_CLOCK_FAMILY, WM_KINTOR_CLOCK_FAMILY).
constexpr platform::UINT WM_ULMETH_TIMING_RELOAD = platform::WM_USER + 238;        // 1262
constexpr platform::UINT WM_ULMETH_BLACK_TIMING_RELOAD = platform::WM_USER + 239;  // 1263
constexpr platform::UINT WM_ULMETH_TEXT_RELOAD = WM_ULMETH_FRAME_PICTURE;          // 1264
constexpr platform::UINT WM_ULMETH_LOGO_RELOAD = platform::WM_USER + 244;          // 1268

}  // namespace corvane
