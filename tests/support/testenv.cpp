#include "support/testenv.h"

namespace testenv {

QString binDir()
{
    return QStringLiteral(RK25_BIN_DIR);
}

QString sourceDir()
{
    return QStringLiteral(RK25_SOURCE_DIR);
}

QString rk25cPath()
{
    return binDir() + QStringLiteral("/rk25c");
}

}
