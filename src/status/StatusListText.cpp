#include "status/StatusListText.h"

#include "display/ErrorFlags.h"
#include "display/TextFormat.h"

std::string statusListLine(int number, int32_t flags, double firmwareVersion) {
    return formatText("%4i.\t %s", number, describeFlags(flags, false, firmwareVersion).c_str());
}

StatusEntryDetails statusEntryDetails(const StatusListEntry& entry, double firmwareVersion) {
    StatusEntryDetails d;
    d.description = " " + describeFlags(entry.flags, true, firmwareVersion) + " ";
    d.position = formatText("%.4lf", entry.position);
    d.time = entry.time.toString(QStringLiteral("HH:mm:ss")).toStdString();
    return d;
}
