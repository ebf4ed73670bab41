// The toolbar layout kept in the registry through the section store.
#include "core/settings/TRegIniFile.h"
#include "core/settings/ToolbarLayout.h"

namespace core {
namespace {

TRegIniFile& StoreOf(void* context)
{
    return *static_cast<TRegIniFile*>(context);
}

int32_t ReadIntFromStore(const std::string& section, const std::string& ident, int32_t def, void* context)
{
    return StoreOf(context).ReadIntValue(section, ident, def);
}

std::string ReadTextFromStore(const std::string& section, const std::string& ident, const std::string& def,
                              void* context)
{
    return StoreOf(context).ReadStrValue(section, ident, def);
}

void WriteIntToStore(const std::string& section, const std::string& ident, int32_t value, void* context)
{
    StoreOf(context).WriteIntValue(section, ident, value);
}

void WriteTextToStore(const std::string& section, const std::string& ident, const std::string& value,
                      void* context)
{
    StoreOf(context).WriteStrValue(section, ident, value);
}

// The store starts at the current user's root itself; without the base key
// it is left with no key at all, so the window sections cannot end up there.
void OpenBaseKey(TRegIniFile& store, RegKey root, const std::string& baseKey)
{
    store.SetRoot(root);
    if (!store.OpenPath(baseKey, true))
        store.CloseKey();
}

} // namespace

void RestoreToolbarLayout(std::span<const LayoutComponent> owner, RegistryApi& api, RegKey root,
                          const std::string& baseKey)
{
    TRegIniFile store(api, "");
    OpenBaseKey(store, root, baseKey);
    ReadToolbarLayout(owner, LayoutReader{&ReadIntFromStore, &ReadTextFromStore, &store});
}

void StoreToolbarLayout(std::span<const LayoutComponent> owner, RegistryApi& api, RegKey root,
                        const std::string& baseKey)
{
    TRegIniFile store(api, "");
    OpenBaseKey(store, root, baseKey);
    WriteToolbarLayout(owner, LayoutWriter{&WriteIntToStore, &WriteTextToStore, &store});
}

} // namespace core
