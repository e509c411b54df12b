#include "Corvan/Renderer/ImageDecodeAhead.h"

#include "Corvan/Renderer/ImageResources.h"

#include <system_error>
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
    try
    {
        m_Worker = std::async(std::launch::async, [this] { DecodeAll(); });
    }
    catch (const std::system_error&)
    {
        // No thread to be had (a process limit, say): the texture handler decodes as it always did.
        m_Entries.clear();
    }
}

void ImageDecodeAhead::DecodeAll()
{
    // An image that cannot be decoded here (out of memory among others) is decoded again by the
    // texture handler, which reports it.
    for (Entry& entry : m_Entries)
    {
        try
        {
            entry.decoded =
                DecodeImageMemory(entry.resource->bytes, entry.resource->size, m_Flip, entry.image);
        }
        catch (...)
        {
            entry.decoded = false;
            entry.image = DecodedImage();
        }
    }
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
