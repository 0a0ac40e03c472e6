#pragma once
// The code page of every data file (Windows-1252), converted at the file
// boundary only.
#include <QByteArray>
#include <QString>
#include <QStringView>

namespace cp1252 {

QString decode(const QByteArray &bytes);
QString decode(const char *data, qsizetype size);
// Characters the code page cannot hold become "?" (the windows refuse them
// before they get this far).
QByteArray encode(QStringView text);
bool canEncode(QStringView text);

} // namespace cp1252
