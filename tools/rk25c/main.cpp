#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::fputs("usage: rk25c [--text | --image | --wire] [--wait-for-switch] [FILE]\n", stderr);
    return 2;
}
