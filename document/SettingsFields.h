#pragma once
// A description of every field of the settings record, in record order, with the values the
// program can give it: tools show a record field by field straight from its bytes, and the
// loader checks each field against its range.

#include <QString>
#include <cstddef>
#include <optional>
#include <span>

#include "document/SettingsLimits.h"

namespace velor {

enum class FieldKind { U16, U32, S32, F32, F64, Text, Bytes };

struct FieldDescriptor {
    const char* name;
    size_t offset;
    FieldKind kind;
    size_t size;  // bytes
    ValueRange range;
};

// All fields of the 144-byte settings record, reserved ones included, in offset order.
std::span<const FieldDescriptor> SettingsRecordFields();

// The field's value as a number, read from the record's bytes; nothing for text and bytes.
std::optional<double> FieldValue(const FieldDescriptor& field, const unsigned char* record);

// The field's value as text, read from the record's bytes.
QString FormatField(const FieldDescriptor& field, const unsigned char* record);

}  // namespace velor
