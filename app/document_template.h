#pragma once
// The drawing's document template: the document, view and frame classes and
// the strings File>Open and File>Save As show.
#include "framework/doc_template.h"

#include <memory>

std::unique_ptr<CMultiDocTemplate> MakeDrawingTemplate();
