// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What waits for the window's first frame: work the frame does not need, and the measuring
// aids of the benchmarks in bench/.
#include <functional>

class QWidget;

namespace vantoro {

// Runs `then` once, when the first frame of `window` has been painted and handed to the
// window system.
void afterFirstFrame(QWidget *window, std::function<void()> then);

// Inert unless their environment variables are set; the bare Qt program in bench/ installs
// the same ones, so both are measured alike.
//   VANTORO_FIRST_FRAME=print  after the first frame: "first-frame <ns> paint <ns>" on standard
//                              output, the times on CLOCK_MONOTONIC of the frame and of the
//                              start of its painting
//   VANTORO_FIRST_FRAME=exit   the same, then the process ends at once
//   VANTORO_TYPE_KEYS=<keys>   after the first frame, these letter and digit keys are pressed
//                              and released on the window, as typed on the keyboard
//   VANTORO_TRACE_PAINTS=1     each widget's paint, with its class, name and area, and each
//                              key press and release, as lines on standard error
void installMeasuringAids(QWidget *window);

} // namespace vantoro
