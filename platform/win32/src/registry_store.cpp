// The registry store's lookups and its text form.
#include "registry_store.h"
#include "text.h"

#include <cctype>
#include <cstdio>

namespace platform::detail {

namespace {

const char* const kindNames[] = {"string", "dword", "binary"};

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::string escape(std::string_view text) {
  std::string out;
  for (char c : text) {
    unsigned char byte = static_cast<unsigned char>(c);
    if (c == '\\' || c == '"' || c == ']') {
      out += '\\';
      out += c;
    } else if (byte < 0x20 || byte == 0x7F) {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02x", byte);
      out += hex;
    } else {
      out += c;
    }
  }
  return out;
}

// Reads an escaped text up to the unescaped `end` character; `pos` moves past it.
std::optional<std::string> unescape(std::string_view line, size_t& pos, char end) {
  std::string out;
  while (pos < line.size()) {
    char c = line[pos++];
    if (c == end) return out;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (pos >= line.size()) return std::nullopt;
    char next = line[pos++];
    if (next == 'x') {
      if (pos + 2 > line.size()) return std::nullopt;
      int high = hexDigit(line[pos]), low = hexDigit(line[pos + 1]);
      if (high < 0 || low < 0) return std::nullopt;
      out += static_cast<char>(high * 16 + low);
      pos += 2;
    } else if (next == '\\' || next == '"' || next == ']') {
      out += next;
    } else {
      return std::nullopt;
    }
  }
  return std::nullopt;
}

std::string formatValue(const RegistryValue& value) {
  std::string out = kindNames[static_cast<int>(value.kind)];
  out += ':';
  if (value.kind == RegistryKind::string) return out + '"' + escape(value.data) + '"';
  if (value.kind == RegistryKind::dword) {
    uint32_t number = 0;
    for (size_t i = 0; i < 4 && i < value.data.size(); ++i)
      number |= uint32_t(static_cast<unsigned char>(value.data[i])) << (8 * i);
    char hex[9];
    std::snprintf(hex, sizeof hex, "%08x", number);
    return out + hex;
  }
  for (char c : value.data) {
    char hex[3];
    std::snprintf(hex, sizeof hex, "%02x", static_cast<unsigned char>(c));
    out += hex;
  }
  return out;
}

std::optional<RegistryValue> parseValue(std::string_view text) {
  size_t colon = text.find(':');
  if (colon == std::string_view::npos) return std::nullopt;
  std::string_view kind = text.substr(0, colon);
  std::string_view body = text.substr(colon + 1);
  if (kind == "string") {
    size_t pos = 1;
    if (body.empty() || body[0] != '"') return std::nullopt;
    std::optional<std::string> data = unescape(body, pos, '"');
    if (!data || pos != body.size()) return std::nullopt;
    return RegistryValue{RegistryKind::string, std::move(*data)};
  }
  bool dword = kind == "dword";
  if (!dword && kind != "binary") return std::nullopt;
  if (body.size() % 2 != 0 || (dword && body.size() != 8)) return std::nullopt;
  std::string bytes;
  for (size_t i = 0; i < body.size(); i += 2) {
    int high = hexDigit(body[i]), low = hexDigit(body[i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    bytes += static_cast<char>(high * 16 + low);
  }
  if (dword) bytes = std::string(bytes.rbegin(), bytes.rend());  // written most significant first
  return RegistryValue{dword ? RegistryKind::dword : RegistryKind::binary, std::move(bytes)};
}

}  // namespace

bool sameName(std::string_view a, std::string_view b) { return equalsIgnoringCase(a, b); }

std::string normalizeKeyPath(std::string_view path) {
  std::string out;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) {
      if (!out.empty()) out += '\\';
      out += path.substr(start, end - start);
    }
    start = end + 1;
  }
  return out;
}

bool RegistryStore::keyExists(std::string_view path) const {
  std::string wanted = normalizeKeyPath(path);
  if (wanted.empty()) return true;
  for (const RegistryKey& key : keys) {
    if (sameName(key.path, wanted)) return true;
    if (key.path.size() > wanted.size() && key.path[wanted.size()] == '\\' &&
        sameName(std::string_view(key.path).substr(0, wanted.size()), wanted))
      return true;
  }
  return false;
}

const RegistryKey* RegistryStore::findKey(std::string_view path) const {
  std::string wanted = normalizeKeyPath(path);
  for (const RegistryKey& key : keys)
    if (sameName(key.path, wanted)) return &key;
  return nullptr;
}

RegistryKey* RegistryStore::findKey(std::string_view path) {
  return const_cast<RegistryKey*>(std::as_const(*this).findKey(path));
}

RegistryKey& RegistryStore::createKey(std::string_view path) {
  if (RegistryKey* key = findKey(path)) return *key;
  keys.push_back(RegistryKey{normalizeKeyPath(path), {}});
  return keys.back();
}

std::string formatRegistry(const RegistryStore& store) {
  std::string out = "; per-user values of the engine and its hosts\n";
  for (const RegistryKey& key : store.keys) {
    out += "\n[" + escape(key.path) + "]\n";
    for (const auto& [name, value] : key.values)
      out += '"' + escape(name) + "\"=" + formatValue(value) + '\n';
  }
  return out;
}

std::optional<RegistryStore> parseRegistry(std::string_view text, int* badLine) {
  RegistryStore store;
  RegistryKey* current = nullptr;
  int lineNumber = 0;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line[0] == ';') continue;
    *badLine = lineNumber;
    size_t pos = 1;
    if (line[0] == '[') {
      std::optional<std::string> path = unescape(line, pos, ']');
      if (!path || pos != line.size()) return std::nullopt;
      current = &store.createKey(*path);
      continue;
    }
    if (line[0] != '"' || !current) return std::nullopt;
    std::optional<std::string> name = unescape(line, pos, '"');
    if (!name || pos >= line.size() || line[pos] != '=') return std::nullopt;
    std::optional<RegistryValue> value = parseValue(line.substr(pos + 1));
    if (!value) return std::nullopt;
    bool replaced = false;
    for (auto& [existing, stored] : current->values) {
      if (sameName(existing, *name)) stored = *value, replaced = true;
    }
    if (!replaced) current->values.emplace_back(std::move(*name), std::move(*value));
  }
  *badLine = 0;
  return store;
}

}  // namespace platform::detail
