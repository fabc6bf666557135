// The width of a name's characters: full-width letters and digits from old
// systems (ＩＭＧ＿０００１.ＪＰＧ) and half-width katakana from phones (ｼｬｼﾝ.jpg).
#pragma once

#include <QString>

namespace text {

// Full-width Latin letters, digits and symbols as their ASCII forms, but for the
// characters a path or Windows gives a meaning of its own (／ ＼ ： ＊ ？ ＂ ＜ ＞ ｜),
// and a full stop that would lead the name, hiding it, or end it, which Windows
// drops. The ideographic space stays: it is not the space between two words.
QString narrowed(const QString &text);

// Half-width katakana and their punctuation (｡ ｢ ｣ ､ ･ ｰ) as their full-width
// forms, a voiced or semi-voiced mark joined to its kana (ｶﾞ as ガ, ﾊﾟ as パ);
// a mark with no kana to take it becomes the full-width mark of its own (゛ ゜).
QString widenedKana(const QString &text);

} // namespace text
