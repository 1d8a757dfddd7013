// The record holds 8-bit text as the files carry it; widgets hold QString.
#pragma once

#include <QString>

#include <string>

inline QString toQString(const std::string &text) { return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size())); }
inline std::string toStdString(const QString &text) { return text.toLocal8Bit().toStdString(); }
