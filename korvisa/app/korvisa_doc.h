// The viewer's one document: it holds no data of its own, only the title.
#pragma once
#include "platform/framework/document.h"

namespace korvisa {

class CKORVISADoc : public fw::CDocument {
public:
    bool OnNewDocument() override;
};

}  // namespace korvisa
