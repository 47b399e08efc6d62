#pragma once
// A description of every field of the settings record, in record order, so tools can show a
// record field by field straight from its bytes.

#include <QString>
#include <cstddef>
#include <span>

namespace velor {

enum class FieldKind { U16, U32, S32, F32, F64, Text, Bytes };

struct FieldDescriptor {
    const char* name;
    size_t offset;
    FieldKind kind;
    size_t size;  // bytes
};

// All fields of the 144-byte settings record, reserved ones included, in offset order.
std::span<const FieldDescriptor> SettingsRecordFields();

// The field's value as text, read from the record's bytes.
QString FormatField(const FieldDescriptor& field, const unsigned char* record);

}  // namespace velor
