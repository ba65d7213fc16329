#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPlainTextEdit>
#include <QStringList>
#include <QTest>
#include <string>
#include <vector>

#include "MainWindowFixture.h"
#include "model/NumericBoxes.h"
#include "ui/main/TFMain.h"
#include "ui/widgets/MemoLines.h"

namespace tessolan {

// Records compared field by field, for the tests' tables (found by argument lookup).
inline bool operator==(const SpectralPoint& a, const SpectralPoint& b) {
  return a.WL == b.WL && a.Reflectance == b.Reflectance;
}

inline bool operator==(const ResultsRecord& a, const ResultsRecord& b) {
  return a.WL == b.WL && a.EEIso == b.EEIso && a.RTIso == b.RTIso && a.EE == b.EE && a.RT == b.RT;
}

}  // namespace tessolan

namespace tessolan::testing {

inline void WriteBytes(const QString& path, const QByteArray& bytes) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QFile file(path);
  QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
  file.write(bytes);
}

inline QByteArray ReadBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A file of these lines, each ended by CR LF.
inline QByteArray FileText(const QStringList& lines) {
  QByteArray bytes;
  for (const QString& line : lines) bytes += line.toUtf8() + "\r\n";
  return bytes;
}

inline QStringList Lines(const std::vector<std::string>& lines) {
  QStringList list;
  for (const std::string& line : lines) list << QString::fromStdString(line);
  return list;
}

inline std::vector<std::string> StdLines(const QStringList& lines) {
  std::vector<std::string> list;
  for (const QString& line : lines) list.push_back(line.toStdString());
  return list;
}

inline QStringList MemoText(const QPlainTextEdit* memo) { return Lines(MemoLines(memo)); }

inline std::vector<SpectralPoint> TablePoints(const TFMain& window) { return window.cdsR().Records(); }

inline std::vector<ResultsRecord> ResultsTableRows(const TFMain& window) { return window.cdsEERT().Records(); }

inline void AddSpectralPoints(TFMain& window, const std::vector<SpectralPoint>& points) {
  window.cdsR().DisableControls();
  for (const SpectralPoint& p : points) window.cdsR().AppendRecord(p);
  window.cdsR().EnableControls();
}

// The value a number takes after it was written with `decimals` decimals and read back.
inline double Rounded(double value, int decimals) { return QString::number(value, 'f', decimals).toDouble(); }

}  // namespace tessolan::testing
