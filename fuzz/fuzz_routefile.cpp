// SPDX-License-Identifier: GPL-3.0-or-later
// The route file reader takes any file: a refused file leaves the route as it was; a file that
// reads is written back as lines that read again to the very same lines.
#include "fuzzsupport.h"
#include "route/routefile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    fuzz::ensureApplication();
    const QStringList lines = fuzz::fileLines(data, size);
    RouteModel route;
    const QStringList before = routeFileLines(route);
    const RouteReadResult read = readRouteLines(lines, &route);
    if (read.status != RouteReadStatus::Ok) {
        fuzz::check(routeFileLines(route) == before, "a refused file changes nothing");
        return 0;
    }
    const QStringList written = routeFileLines(route);
    fuzz::check(written.size() == ROUTE_FILE_LINE_COUNT, "a saved file has all its lines");
    RouteModel again;
    fuzz::check(readRouteLines(written, &again).status == RouteReadStatus::Ok, "a saved file reads");
    fuzz::check(routeFileLines(again) == written, "a saved file reads back to itself");
    fuzz::check(again.programText() == route.programText(), "the program text survives a save");
    bool encodable = false;
    cp932::encodeLines(written, &encodable);
    fuzz::check(encodable, "a saved file holds only what CP932 holds");
    QStringList text;
    QStringList messages;
    routeFileToProgramText(lines, &text, &messages);
    return 0;
}
