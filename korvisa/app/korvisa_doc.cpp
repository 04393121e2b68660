#include "korvisa/app/korvisa_doc.h"

#include "korvisa/app/single_instance.h"

namespace korvisa {

bool CKORVISADoc::OnNewDocument()
{
    SetTitle(kViewerCaption);
    return true;
}

}  // namespace korvisa
