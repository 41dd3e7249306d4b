#include "string_blocks.h"

#include <algorithm>

namespace ampery::model {

QString StringBlocks::copy(QStringView text) {
    // The copy of no text is what QStringView gives, null or empty as it was.
    if (text.isEmpty())
        return text.toString();
    const qsizetype needed = text.size() + 1;
    if (m_block.isNull() || m_block.capacity() - m_used < needed) {
        // The copies in the old block keep it alive.
        m_block = QString();
        m_block.reserve(std::max(blockSize, needed));
        m_used = 0;
    }
    // Taking the block's pointer takes a reference to the block. The room
    // written lies past every copy made so far, where no string reads.
    QString::DataPointer part = m_block.data_ptr();
    char16_t* const at = part.data() + m_used;
    std::copy(text.utf16(), text.utf16() + text.size(), at);
    at[text.size()] = u'\0';
    part.ptr = at;
    part.size = text.size();
    m_used += needed;
    return QString(std::move(part));
}

} // namespace ampery::model
