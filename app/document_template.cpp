#include "app/document_template.h"

#include "document/lumbrel2_view.h"
#include "platform/command_ids.h"
#include "platform/command_table.h"

std::unique_ptr<CMultiDocTemplate> MakeDrawingTemplate() {
    return std::make_unique<CMultiDocTemplate>(LoadResourceString(IDR_LUMBREL_TYPE),
                                               LumbrelDocumentClasses());
}
