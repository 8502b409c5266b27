#pragma once

#include <QString>
#include <functional>

namespace tallix {

// The reversible scrambling under which passwords are stored: NNNN-DDDD-DDD...-A-B-C, where the
// digit string D holds three digits (code + 56) per byte of the text's UTF-8 form and N, A, B, C
// are random fillers. An empty text stays empty.
QString ScramblePassword(const QString& text);

// The same with the fillers taken from `uniform`, which returns numbers in [0, 1).
QString ScramblePassword(const QString& text, const std::function<double()>& uniform);

// The text back from its stored form. Never fails: a stored form that is too short gives an empty
// text, digit groups that are not three digits from 056 to 311 are left out, and bytes that are
// not UTF-8 are read as Windows-1252 (as an older Windows installation wrote them).
QString UnscramblePassword(const QString& stored);

} // namespace tallix
