// Internal helpers of the graph core: the engine a channel reports through, and the
// interface-type tests shared by channels, groups and references.
#pragma once

class EngineInterface;
class Zyl_Channel;

// The channel's own engine, else the global one; null when neither exists.
EngineInterface* MessageEngine(Zyl_Channel* channel);

void ReportError(Zyl_Channel* channel, const char* text);
void ReportUserInfo(Zyl_Channel* channel, const char* text);
void ReportUserInfo(Zyl_Channel* channel, const char* text, int value);

inline bool IsPublicType(int type) { return type == 1 || type == 5; }
inline bool IsExternalType(int type) { return type >= 2 && type <= 5; }
