#pragma once

#include <QString>

namespace testenv {

// The folder the executables run from (with Photo/, Navi/, Data/ beside them).
QString binDir();
// The source tree, for fixtures kept in tests/.
QString sourceDir();
// Path of the command-line compiler built beside the tests.
QString rk25cPath();

}
