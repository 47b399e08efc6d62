#pragma once
// The view types a data file can reopen, keyed by their section tag (below 27). The GUI
// registers factories that open a view window; headless code registers views without windows.

#include <array>
#include <cstdint>
#include <functional>

namespace velor {

class CDormDoc;
class DocumentView;

inline constexpr uint16_t kViewTagLimit = 27;

// Section tags of the view types.
inline constexpr uint16_t kTimeStatViewTag = 1;
inline constexpr uint16_t kProfileViewTag = 4;
inline constexpr uint16_t kNoteViewTag = 5;
inline constexpr uint16_t kPowerViewTag = 9;
inline constexpr uint16_t kBeamDataViewTag = 21;
inline constexpr uint16_t k3dViewTag = 22;
inline constexpr uint16_t kPolarViewTag = 23;
inline constexpr uint16_t kTopoViewTag = 24;
inline constexpr uint16_t kNearFieldViewTag = 25;

class ViewTypeRegistry {
public:
    // Creates a view of the type, attached to the document; null if it cannot.
    using Factory = std::function<DocumentView*(CDormDoc&)>;

    // False for a tag of 27 or more.
    bool Register(uint16_t tag, Factory factory);
    bool IsRegistered(uint16_t tag) const;
    DocumentView* Create(uint16_t tag, CDormDoc& document) const;

private:
    std::array<Factory, kViewTagLimit> m_factories;
};

}  // namespace velor
