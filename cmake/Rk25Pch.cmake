# SPDX-License-Identifier: GPL-3.0-or-later
# Precompiled Qt headers: most of a translation unit's compile time goes to Qt's headers, above
# all in the tests, where <QtTest> brings the whole of QtCore. GCC only: GCC quietly compiles
# without a header it cannot use, where clang stops at the smallest difference in flags.
option(RK25_PCH "Precompile the Qt headers (GCC)" ON)
set(RK25_PCH_ACTIVE OFF)
if(RK25_PCH AND CMAKE_CXX_COMPILER_ID STREQUAL "GNU")
  set(RK25_PCH_ACTIVE ON)
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
