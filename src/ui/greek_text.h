#pragma once
#include <QString>

namespace orvinda {

// The phase difference is built from Latin letters ("Dj=-0.137p") and shown
// with the Greek ones they stand for: D as Δ, j as φ, p as π.
inline QString greek_letters(const QString& latin) {
  QString out = latin;
  out.replace(QLatin1Char('D'), QChar(0x0394));
  out.replace(QLatin1Char('j'), QChar(0x03C6));
  out.replace(QLatin1Char('p'), QChar(0x03C0));
  return out;
}

}  // namespace orvinda
