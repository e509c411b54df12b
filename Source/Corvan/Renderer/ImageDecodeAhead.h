#pragma once
// Compiled-in images decoded on a worker thread while the window and its GL context are made: that
// is the longest wait of a start, spent loading the driver on one core while the other idles. The
// texture handler then takes the pixels instead of decoding them on the way to the first picture.
#include "Corvan/Renderer/ImageDecoder.h"

#include <future>
#include <vector>

namespace Vozad
{
struct ImageResource;

class ImageDecodeAhead
{
public:
    ImageDecodeAhead() = default;
    ImageDecodeAhead(const ImageDecodeAhead&) = delete;
    ImageDecodeAhead& operator=(const ImageDecodeAhead&) = delete;
    // Waits for the worker.
    ~ImageDecodeAhead();

    // Decodes the images one after another on one worker thread, rows flipped as p_FlipVertically
    // says and colours premultiplied (as the scene takes them). A second call waits for the first
    // batch and replaces it. Null entries are skipped.
    void Start(std::vector<const ImageResource*> p_Images, bool p_FlipVertically);

    // Moves the decoded pixels of p_Resource into p_Image, waiting for the worker if it is not done.
    // False, p_Image untouched, when the image was not queued, was queued with the other row order,
    // did not decode or was taken already.
    bool Take(const ImageResource& p_Resource, bool p_FlipVertically, DecodedImage& p_Image);

private:
    struct Entry
    {
        const ImageResource* resource = nullptr;
        bool decoded = false; // written by the worker, read after it finished
        DecodedImage image;
    };

    void Wait();
    void DecodeAll(); // on the worker

    std::vector<Entry> m_Entries; // the worker writes only the entries' results
    bool m_Flip = true;
    std::future<void> m_Worker;
};
} // namespace Vozad
