#pragma once
// Measuring aids for the benchmarks in bench/. Inert unless their environment variables
// are set; the bare Qt program in bench/ installs the same ones, so both are measured alike.
//   VANTORO_FIRST_FRAME=print  once the first frame of the window has been painted and handed
//                              to the window system: "first-frame <ns>" on standard output,
//                              the time on CLOCK_MONOTONIC
//   VANTORO_FIRST_FRAME=exit   the same, then the process ends at once
//   VANTORO_TYPE_KEYS=<keys>   after the first frame, these letter and digit keys are pressed
//                              and released on the window, as typed on the keyboard
class QWidget;

namespace vantoro {

void installMeasuringAids(QWidget *window);

} // namespace vantoro
