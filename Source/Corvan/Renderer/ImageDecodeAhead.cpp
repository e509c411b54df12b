#include "Corvan/Renderer/ImageDecodeAhead.h"

#include "Corvan/Renderer/ImageResources.h"

#include <utility>

namespace Vozad
{
ImageDecodeAhead::~ImageDecodeAhead()
{
    Wait();
}

void ImageDecodeAhead::Wait()
{
    if (m_Worker.valid())
        m_Worker.get();
}

void ImageDecodeAhead::Start(std::vector<const ImageResource*> p_Images, bool p_FlipVertically)
{
    Wait();
    m_Entries.clear();
    for (const ImageResource* image : p_Images)
        if (image)
            m_Entries.push_back(Entry{image, false, {}});
    m_Flip = p_FlipVertically;
    if (m_Entries.empty())
        return;
    m_Worker = std::async(std::launch::async,
                          [this]
                          {
                              for (Entry& entry : m_Entries)
                                  entry.decoded = DecodeImageMemory(
                                      entry.resource->bytes, entry.resource->size, m_Flip, entry.image);
                          });
}

bool ImageDecodeAhead::Take(const ImageResource& p_Resource, bool p_FlipVertically, DecodedImage& p_Image)
{
    if (p_FlipVertically != m_Flip)
        return false;
    for (Entry& entry : m_Entries)
    {
        if (entry.resource != &p_Resource)
            continue;
        Wait();
        if (!entry.decoded)
            return false;
        p_Image = std::move(entry.image);
        entry.decoded = false;
        return true;
    }
    return false;
}
} // namespace Vozad
