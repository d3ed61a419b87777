#pragma once

#include "storage/Trim.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

namespace tavorel {

// Case folding and matching touch only the letters A to Z: accented letters keep
// their case and compare exactly, so "é" never matches "É".

QString MaiuscoleAZ(const QString& text);
QString MinuscoleAZ(const QString& text);

// True when needle occurs in haystack, both folded with MinuscoleAZ. An empty
// needle matches nothing: the find-in-list key "" never selects a row.
bool ContieneAZ(const QString& haystack, const QString& needle);

// A search criterion of the search screens. A criterion that is blank after
// TrimSpazi is not in use and lets every field pass; otherwise the criterion as
// typed (not trimmed) must be contained in the field (ContieneAZ).
bool CriterioInUso(const QString& criterion);
bool CriterioSoddisfatto(const QString& field, const QString& criterion);

// Ordering of the sorted lists: a to z taken as A to Z, then character by
// character by Windows-1252 code; a text that begins another sorts first.
// Negative, zero or positive like QString::compare.
int ConfrontaAZ(const QString& a, const QString& b);
// The same order on Windows-1252 bytes, as the lists keep their rows (RowTable::sort).
int compareAZ(QByteArrayView a, QByteArrayView b);
// Up to eight bytes of `text` (`length` of them) as one big-endian number, zero-padded, a to z
// taken as A to Z: the order's key eight characters at a time. Two texts compare as their keys,
// eight bytes after eight, then by length.
quint64 keyAZ(const char* text, qsizetype length);

} // namespace tavorel
