# SPDX-License-Identifier: GPL-3.0-or-later
# AddressSanitizer and UndefinedBehaviorSanitizer over every target configured after this
# module, without recovery (the first finding ends the process), with Qt's assertions and the
# standard library's bounds checks switched on: a stray index becomes a crash, not a quiet read.
# scripts/test-sanitizers turns it on for the test suite; the fuzz project always does.
include_guard(GLOBAL)

option(VANTORO_SANITIZE "Build with AddressSanitizer and UBSan, Qt assertions and library bounds checks" OFF)

if(VANTORO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  add_compile_definitions(QT_FORCE_ASSERTS _GLIBCXX_ASSERTIONS)
  add_link_options(-fsanitize=address,undefined)
endif()
