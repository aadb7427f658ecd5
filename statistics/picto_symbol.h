#pragma once
// Copies of pictogram symbols: the options record keeps its own, and a
// drawing places working copies so that the record is never touched.
#include <memory>

class QvFigure;

// A copy that shares nothing with its source; null when no figure of its
// kind can be made.
std::unique_ptr<QvFigure> QvCopyPictogramSymbol(const QvFigure& source);
