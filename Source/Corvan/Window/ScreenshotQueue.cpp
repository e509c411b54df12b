#include "Corvan/Window/ScreenshotQueue.h"

#include "Corvan/Renderer/IGraphicsContext.h"

#include <utility>

namespace Vozad
{
void ScreenshotQueue::Request(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix)
{
    m_ScreenshotRequests.push_back({p_FolderPrefix, p_NamePrefix});
}

void ScreenshotQueue::SavePending(IGraphicsContext* p_Context, Lib::RectSize p_Size)
{
    if (m_ScreenshotRequests.empty())
        return;
    const std::vector<ScreenshotRequest> requests = std::move(m_ScreenshotRequests);
    m_ScreenshotRequests.clear();
    if (!p_Context)
        return;
    for (const ScreenshotRequest& request : requests)
        p_Context->SaveScreenshot(request.folderPrefix, request.namePrefix, p_Size.width, p_Size.height);
}

void ScreenshotQueue::DropPending(const Lib::LogTag& p_Tag)
{
    if (!m_ScreenshotRequests.empty())
        LogWarning(p_Tag,
                   "Could not save %zu screenshot(s): the window closed before it showed another frame.",
                   m_ScreenshotRequests.size());
    m_ScreenshotRequests.clear();
}
} // namespace Vozad
