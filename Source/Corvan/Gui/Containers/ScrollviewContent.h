#pragma once
// The holder inside a scroll view; the element the view shows is its content.
#include "Corvan/Layout/ContentLayoutBase.h"
#include "Lib/Log.h"

namespace Vozad
{
class ScrollviewContent : public ContentLayoutBase
{
public:
    ScrollviewContent();

private:
    Lib::LogTag m_Tag{"ScrollviewContent"};
};
} // namespace Vozad
