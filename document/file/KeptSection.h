#pragma once
// A view section this program cannot show — a view type it does not have, or a newer
// program's view — kept byte for byte: every data block up to the next section marker, the
// placement block included. It is written back in its place, so that loading and saving a
// file never drops part of it.

#include <QByteArray>

#include "document/DocumentView.h"

namespace velor {

class KeptSection : public DocumentView {
public:
    explicit KeptSection(uint16_t tag) : DocumentView(tag) {}

    // Takes the section's blocks as they stand, up to the next marker or the end of the file.
    bool ReadSection(SerializeContext& context) override;
    // Writes them back unchanged.
    bool WriteSection(SerializeContext& context) override;

    const QByteArray& Bytes() const { return m_bytes; }

private:
    QByteArray m_bytes;
};

}  // namespace velor
