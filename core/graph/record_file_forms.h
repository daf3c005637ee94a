// Little-endian file forms of the records stored byte for byte in group files.
#pragma once

#include <cstddef>
#include <cstdint>

#include "graph/channel_records.h"

inline constexpr size_t channelTypeFileSize = 132;
inline constexpr size_t childCreationFileSize = 264;
inline constexpr size_t publicCallInfoFileSize = 696;
inline constexpr size_t parameterInterfaceInfoFileSize = 56;
inline constexpr size_t guidFileSize = 16;

void Int32ToFile(int32_t value, uint8_t* out);
int32_t Int32FromFile(const uint8_t* data);
void GuidToFile(const GUID& guid, uint8_t* out);
GUID GuidFromFile(const uint8_t* data);

void ChannelTypeToFile(const ChannelType& type, uint8_t* out);
void ChannelTypeFromFile(const uint8_t* data, ChannelType* type);

// The run-time childInfo word is written as 0 and ignored on reading.
void ChildCreationToFile(const ChildCreation& creation, uint8_t* out);
void ChildCreationFromFile(const uint8_t* data, ChildCreation* creation);

void PublicCallInfoToFile(const PublicCallInfo& info, uint8_t* out);
// False, with `info` unchanged, when `size` is not the record's file size.
bool PublicCallInfoFromFile(const uint8_t* data, size_t size, PublicCallInfo* info);

void ParameterInterfaceInfoToFile(const ParameterInterfaceInfo& info, uint8_t* out);
bool ParameterInterfaceInfoFromFile(const uint8_t* data, size_t size, ParameterInterfaceInfo* info);
