#pragma once
// A fresh folder under /tmp for one test, removed with everything in it afterwards.
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

#include <cstdlib>

namespace TestSupport
{
class TempFolder
{
public:
    TempFolder()
    {
#ifdef _WIN32
        // No mkdtemp: a random name, taken only when create_directory made it new.
        std::random_device random;
        for (int attempt = 0; attempt < 100 && m_Path.empty(); ++attempt)
        {
            const auto candidate =
                std::filesystem::temp_directory_path() / ("vorl-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate))
                m_Path = candidate;
        }
        if (m_Path.empty())
            throw std::runtime_error("no temporary folder could be created");
#else
        std::string pattern = (std::filesystem::temp_directory_path() / "vorl-test-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("mkdtemp failed");
        m_Path = pattern;
#endif
    }
    ~TempFolder()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_Path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& Path() const
    {
        return m_Path;
    }
    std::string File(const std::string& p_Name) const
    {
        return (m_Path / p_Name).string();
    }

private:
    std::filesystem::path m_Path;
};

inline std::string ReadWholeFile(const std::string& p_Path)
{
    std::ifstream in(p_Path, std::ios::binary);
    std::ostringstream content;
    content << in.rdbuf();
    return content.str();
}

inline void WriteWholeFile(const std::string& p_Path, const std::string& p_Content)
{
    std::ofstream(p_Path, std::ios::binary) << p_Content;
}
} // namespace TestSupport
