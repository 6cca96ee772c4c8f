#pragma once

#include <QJsonObject>
#include <QString>

// Helpers shared by the benchmark programs.
namespace bench {

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

// CPU seconds (user + system) used so far by this process and all its living descendants.
double cpuSeconds();

// Milliseconds since this process started.
double msSinceProcessStart();

} // namespace bench
