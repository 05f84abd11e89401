#include "pagedata/page_names.h"

namespace kbs {

std::string_view pageClassName(PageId page)
{
    switch (page) {
    case PageId::Select:
        return "CPage_Select";
    case PageId::Param:
        return "CPage_Param";
    case PageId::Param2:
        return "CPage_Param_2";
    case PageId::Form:
        return "CPage_Form";
    case PageId::MSW1:
        return "CPage_MSW1";
    case PageId::MSW2:
        return "CPage_MSW2";
    case PageId::MSW3:
        return "CPage_MSW3";
    case PageId::MSW4:
        return "CPage_MSW4";
    case PageId::MSW5:
        return "CPage_MSW5";
    case PageId::None:
        break;
    }
    return {};
}

} // namespace kbs
