#pragma once
// The kinds of view window the program offers: their tags, how many may be open at once, the
// message when that limit is reached, and how to make one.

#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace velor {

class CDormView;
class ViewHost;

struct ViewType {
    uint16_t tag;
    int limit;
    QString limitMessage;  // empty: none
    std::function<CDormView*(ViewHost&)> create;
};

class ViewTypeTable {
public:
    void Register(ViewType type) { m_types[type.tag] = std::move(type); }
    const ViewType* Find(uint16_t tag) const {
        const auto it = m_types.find(tag);
        return it == m_types.end() ? nullptr : &it->second;
    }

private:
    std::map<uint16_t, ViewType> m_types;
};

// The limit of each view type and its message, whether or not the type is built yet.
int ViewTypeLimit(uint16_t tag);
QString ViewTypeLimitMessage(uint16_t tag);

// Every view window the program can open, for the main frame to register.
std::vector<ViewType> ViewWindowTypes();

}  // namespace velor
