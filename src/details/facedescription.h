#pragma once

#include <QString>

// A face's weight, width and slant in a reader's words, from fontconfig's scales: the weight as
// OpenType numbers it (400 regular, 700 bold), the rest in French ("graisse 700 (gras),
// italique").
namespace FaceDescription {

QString describe(int fontconfigWeight, int fontconfigWidth, int fontconfigSlant);

} // namespace FaceDescription
