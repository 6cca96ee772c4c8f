#pragma once

#include <QJsonObject>
#include <QString>

class QTemporaryFile;

// Helpers shared by the benchmark programs.
namespace bench {

// Two offscreen screens side by side, "DP-1" and "DP-2", for the prompter and a talent display
// full screen beside it: described in `config` (kept as long as the program runs) and chosen as
// the platform. Call before the application object exists.
bool useTwoScreens(QTemporaryFile &config);

// Prints one figure as a JSON line: {"name", "value", "unit", "inputs"}.
void report(const QString &name, double value, const QString &unit, const QJsonObject &inputs = {});

// The median of some samples (they are sorted in place).
double median(QList<double> samples);

// Peak resident memory in MB of this process and all its descendants (each process's own peak).
double peakMemoryMb();

// Resident memory in MB now: of this process alone, and of all its descendants (the browser's
// processes).
double residentMemoryMb();
double descendantsResidentMemoryMb();

// Open file descriptors of this process.
int openFiles();

// This process's open file descriptors by what they lead to: "socket", "pipe", "anon_inode:…",
// "memfd", a device, or the folder of a file.
QJsonObject openFileKinds();

// The bytes the heap has handed out and not yet had back, in MB: what the program holds, apart
// from what the allocator keeps for reuse.
double heapInUseMb();

// CPU seconds (user + system) used so far by this process and all its living descendants.
double cpuSeconds();

// Milliseconds since this process started.
double msSinceProcessStart();

} // namespace bench
