// OpenFolder's life, the same on every system: what it holds moves with it, and
// it lets the folder go when it ends.
#include "system/open_folder.h"

#include <utility>

namespace sys {

OpenFolder::~OpenFolder()
{
    close();
}

OpenFolder::OpenFolder(OpenFolder &&other) noexcept
    : m_handle(std::exchange(other.m_handle, -1)), m_path(std::move(other.m_path)),
      m_identity(std::move(other.m_identity))
{
}

OpenFolder &OpenFolder::operator=(OpenFolder &&other) noexcept
{
    if (this != &other) {
        close();
        m_handle = std::exchange(other.m_handle, -1);
        m_path = std::move(other.m_path);
        m_identity = std::move(other.m_identity);
    }
    return *this;
}

bool OpenFolder::isOpen() const
{
    return m_handle != -1;
}

} // namespace sys
