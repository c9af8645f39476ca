#pragma once
// What the recorder's tests share: samples with chosen values, a folder of the
// test's own, and reading or writing a file whole.

#include "recorder/RecordSample.h"

#include <QDir>
#include <QString>
#include <QTemporaryDir>

#include <fstream>
#include <sstream>
#include <string>

inline RecordSample positionSample(double time, double position, double wh, double ye) {
    RecordSample s;
    s.time = time;
    s.position = position;
    s.amplitudeWH = wh;
    s.amplitudeYE = ye;
    return s;
}

inline RecordSample referenceSample(double time, double position, double refC, double refE) {
    RecordSample s = positionSample(time, position, 50.0, 60.0);
    s.refC = refC;
    s.refE = refE;
    s.refDistance = -5000;
    s.isReference = true;
    return s;
}

inline std::string readBytes(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeBytes(const QString& path, const std::string& bytes) {
    std::ofstream out(path.toStdString(), std::ios::binary | std::ios::trunc);
    out << bytes;
}

// The names of the files in a folder, sorted.
inline QStringList filesIn(const QString& folder) {
    return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name);
}
