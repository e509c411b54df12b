#pragma once
// Screenshots asked for between two frames, saved from the next frame just before it is shown.
#include "Lib/Log.h"
#include "Lib/RectSize.h"
#include "Lib/String.h"

#include <vector>

namespace Vozad
{
class IGraphicsContext;

class ScreenshotQueue
{
public:
    void Request(const Lib::String& p_FolderPrefix, const Lib::String& p_NamePrefix);
    // Saves every request from the frame about to be shown, which has that client size.
    void SavePending(IGraphicsContext* p_Context, Lib::RectSize p_Size);
    // Drops what no frame will show any more, with a warning under p_Tag when anything was asked for.
    void DropPending(const Lib::LogTag& p_Tag);

private:
    struct ScreenshotRequest
    {
        Lib::String folderPrefix, namePrefix;
    };
    std::vector<ScreenshotRequest> m_ScreenshotRequests; // saved by the next Present
};
} // namespace Vozad
