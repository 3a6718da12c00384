# SPDX-License-Identifier: GPL-3.0-or-later
# The compiler warnings every target of the project is built with: link vantoro_warnings
# PRIVATE. An interface target, so a target's warnings do not leak to the targets that use it.
include_guard(GLOBAL)

add_library(vantoro_warnings INTERFACE)
target_compile_options(vantoro_warnings INTERFACE -Wall -Wextra)
