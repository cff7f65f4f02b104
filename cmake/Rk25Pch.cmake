# SPDX-License-Identifier: GPL-3.0-or-later
# Precompiled Qt headers: most of a translation unit's compile time goes to Qt's headers, above
# all in the tests, where <QtTest> brings the whole of QtCore. Clang refuses a header built with
# other flags than its user's, so a target that reuses another's header adds no flags of its own
# (the tests take theirs from their helper library).
option(RK25_PCH "Precompile the Qt headers" ON)
set(RK25_PCH_ACTIVE OFF)
if(RK25_PCH AND CMAKE_CXX_COMPILER_ID MATCHES "GNU|Clang")
  set(RK25_PCH_ACTIVE ON)
  # Without a time stamp in clang's header ccache can cache the compiles that use it.
  if(CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    add_compile_options("SHELL:-Xclang -fno-pch-timestamp")
  endif()
endif()

set(RK25_PCH_CORE <QByteArray> <QDir> <QFile> <QFileInfo> <QList> <QObject> <QRegularExpression>
    <QString> <QStringList> <QTimer>)
set(RK25_PCH_GUI ${RK25_PCH_CORE} <QtGui/QMouseEvent> <QtGui/QPainter> <QtGui/QPixmap>
    <QtWidgets/QApplication> <QtWidgets/QLabel> <QtWidgets/QWidget>)
set(RK25_PCH_TEST <QtTest> <QTemporaryDir> ${RK25_PCH_CORE})

# rk25_precompile(TARGET HEADERS...): the target compiles its own precompiled header.
function(rk25_precompile target)
  if(RK25_PCH_ACTIVE)
    target_precompile_headers(${target} PRIVATE ${ARGN})
  endif()
endfunction()

# rk25_precompile_like(TARGET FROM): a one-file target (a test) takes FROM's header instead of
# compiling its own, which would cost more than it saves.
function(rk25_precompile_like target from)
  if(RK25_PCH_ACTIVE)
    target_precompile_headers(${target} REUSE_FROM ${from})
  endif()
endfunction()
