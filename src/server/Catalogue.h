#pragma once
// The catalogue of the ZAX remote interface: every procedure declared once.
// X(opnum, name, result, retry, arity, parameters...) — `retry` says whether
// RetryProxy wraps the procedure. This one list produces the abstract
// interface, the client stubs, the server dispatcher, the call recorder and
// the fault injector, so the two ends can never disagree.

#include "server/Procedure.h"
#include "server/Records.h"

namespace zax {

// Array parameters, named so that their commas stay out of the macro below.
using EntryBatch = OutConf<EntrySummary, 2>;     // FindNextEntries: count = parameter 2
using LineBatch = OutConf<LineEntry, 1>;         // GetLines: count = parameter 1
using ReportTextBuffer = OutVarying<char, 1, 2>; // GetReportText
using VoiceChunkOut = OutVarying<uint8_t, 2, 3>; // Read*: capacity = 2, length = 3
using VoiceChunkIn = InConf<uint8_t, 2>;         // Write*: count = parameter 2

#define ZAX_CATALOGUE(X)                                                                           \
    X(0, OpenSession, ShortResult, Direct, 1, Out<SessionHandle>)                                  \
    X(1, CloseSession, ShortResult, Direct, 1, InOut<SessionHandle>)                               \
    X(2, QueryMailboxState, ShortResult, Direct, 3, In<Chars<8>>, Out<uint8_t>, Out<uint8_t>)      \
    X(3, FindFirstEntry, ShortResult, Direct, 3, InOut<EntrySummary>, In<int16_t>, In<uint8_t>)    \
    X(4, FindNextEntry, ShortResult, Direct, 1, InOut<EntrySummary>)                               \
    X(5, CheckFreeEntry, ShortResult, Direct, 1, In<int16_t>)                                      \
    X(6, GetFreeGroupListNumber, ShortResult, Direct, 1, Out<int16_t>)                             \
    X(7, AddMailbox, ShortResult, Direct, 1, In<MailboxRecord>)                                    \
    X(8, AddMailboxRange, ShortResult, Direct, 3, In<MailboxRecord>, In<MailboxRecord>,            \
      Out<int16_t>)                                                                                \
    X(9, GetMailbox, ShortResult, Retry, 1, InOut<MailboxRecord>)                                  \
    X(10, ChangeMailbox, ShortResult, Direct, 2, In<MailboxRecord>, In<uint8_t>)                   \
    X(11, DeleteMailbox, ShortResult, Direct, 1, In<MailboxRecord>)                                \
    X(12, GetAttendantParameters, ShortResult, Direct, 3, Out<uint8_t>, Out<uint8_t>,              \
      Out<uint8_t>)                                                                                \
    X(13, SetAttendantParameters, ShortResult, Direct, 3, In<uint8_t>, In<uint8_t>, In<uint8_t>)   \
    X(14, GetGreetingTable, ShortResult, Direct, 1, InOut<GreetingTableRecord>)                    \
    X(15, SetGreetingTable, ShortResult, Direct, 1, In<GreetingTableRecord>)                       \
    X(16, GetLine, ShortResult, Direct, 4, In<int16_t>, Out<uint8_t>, Out<int16_t>, Out<int16_t>)  \
    X(17, SetLine, ShortResult, Direct, 4, In<int16_t>, In<uint8_t>, In<int16_t>, In<int16_t>)     \
    X(18, CheckClidAdd, ShortResult, Direct, 1, Out<uint8_t>)                                      \
    X(19, GetClid, ShortResult, Direct, 2, InOut<ClidEntry>, In<int16_t>)                          \
    X(20, GetNextClid, ShortResult, Direct, 1, Out<ClidEntry>)                                     \
    X(21, SetClid, ShortResult, Direct, 2, In<ClidEntry>, In<uint8_t>)                             \
    X(22, DeleteClid, ShortResult, Direct, 1, In<ClidEntry>)                                       \
    X(23, AddGroupList, ShortResult, Direct, 1, In<GroupListRecord>)                               \
    X(24, ChangeGroupList, ShortResult, Direct, 1, In<GroupListRecord>)                            \
    X(25, AddGroupMember, ShortResult, Direct, 1, In<GroupListRecord>)                             \
    X(26, RemoveGroupMember, ShortResult, Direct, 1, In<GroupListRecord>)                          \
    X(27, DeleteGroupList, ShortResult, Direct, 1, In<GroupListRecord>)                            \
    X(28, GetFirstGroupMember, ShortResult, Direct, 1, InOut<GroupListRecord>)                     \
    X(29, GetNextGroupMember, ShortResult, Direct, 1, InOut<GroupListRecord>)                      \
    X(30, GetGroupList, ShortResult, Direct, 1, InOut<GroupListRecord>)                            \
    X(31, GetFaxParameters, ShortResult, Direct, 1, Out<FaxParameters>)                            \
    X(32, SetFaxParameters, ShortResult, Direct, 1, In<FaxParameters>)                             \
    X(33, RequestReport, ShortResult, Direct, 3, In<int16_t>, In<int16_t>, In<Chars<8>>)           \
    X(35, ResetStatistics, ShortResult, Direct, 0)                                                 \
    X(36, GetSystemParameters, ShortResult, Direct, 1, Out<SystemParameters>)                      \
    X(37, SetSystemParameters, ShortResult, Direct, 1, In<SystemParameters>)                       \
    X(38, GetClassOfService, ShortResult, Direct, 1, InOut<CosRecord>)                             \
    X(39, SetClassOfService, ShortResult, Direct, 1, In<CosRecord>)                                \
    X(40, GetVoiceDialing, ShortResult, Direct, 1, Out<VoiceDialingRecord>)                        \
    X(41, SetVoiceDialing, ShortResult, Direct, 1, In<VoiceDialingRecord>)                         \
    X(42, GetOperatorSettings, ShortResult, Direct, 1, Out<OperatorSettings>)                      \
    X(43, SetOperatorSettings, ShortResult, Direct, 1, In<OperatorSettings>)                       \
    X(44, GetFirstTranslation, ShortResult, Direct, 3, InOut<Chars<15>>, Out<Chars<16>>,           \
      In<uint8_t>)                                                                                 \
    X(45, GetNextTranslation, ShortResult, Direct, 2, Out<Chars<15>>, Out<Chars<16>>)              \
    X(46, AddTranslation, ShortResult, Direct, 2, In<Chars<15>>, In<Chars<16>>)                    \
    X(47, ChangeTranslation, ShortResult, Direct, 2, In<Chars<15>>, In<Chars<16>>)                 \
    X(48, DeleteTranslation, ShortResult, Direct, 2, In<Chars<15>>, In<Chars<16>>)                 \
    X(49, GetFirstCentrexRestriction, ShortResult, Direct, 2, InOut<Chars<15>>, In<uint8_t>)       \
    X(50, GetNextCentrexRestriction, ShortResult, Direct, 1, Out<Chars<15>>)                       \
    X(51, AddCentrexRestriction, ShortResult, Direct, 1, In<Chars<15>>)                            \
    X(52, DeleteCentrexRestriction, ShortResult, Direct, 1, In<Chars<15>>)                         \
    X(55, GetBlockingPeriods, ShortResult, Direct, 1, Out<BlockingPeriodTable>)                    \
    X(56, SetBlockingPeriods, ShortResult, Direct, 1, In<BlockingPeriodTable>)                     \
    X(58, GetGeneralNetworking, ShortResult, Direct, 1, Out<NetworkParameters>)                    \
    X(59, SetGeneralNetworking, ShortResult, Direct, 1, In<NetworkParameters>)                     \
    X(60, GetAmisNetworking, ShortResult, Direct, 1, Out<NetworkParameters>)                       \
    X(61, SetAmisNetworking, ShortResult, Direct, 1, In<NetworkParameters>)                        \
    X(62, GetDigitalNetworking, ShortResult, Direct, 1, Out<NetworkParameters>)                    \
    X(63, SetDigitalNetworking, ShortResult, Direct, 1, In<NetworkParameters>)                     \
    X(64, GetSystemInfo, ShortResult, Direct, 1, Out<SystemInfo>)                                  \
    X(65, OpenSiteList, ShortResult, Direct, 1, Out<NetworkSite>)                                  \
    X(66, GetNextSite, ShortResult, Direct, 1, Out<NetworkSite>)                                   \
    X(67, AddSite, ShortResult, Direct, 1, In<NetworkSite>)                                        \
    X(68, GetSite, ShortResult, Direct, 1, InOut<NetworkSite>)                                     \
    X(69, ChangeSite, ShortResult, Direct, 1, In<NetworkSite>)                                     \
    X(70, DeleteSite, ShortResult, Direct, 1, In<NetworkSite>)                                     \
    X(71, GetCosNames, ShortResult, Direct, 1, Out<CosNameTable>)                                  \
    X(72, GetReportSize, ShortResult, Direct, 1, Out<int32_t>)                                     \
    X(73, GetReportText, ShortResult, Direct, 3, In<int32_t>, Out<int32_t>, ReportTextBuffer)      \
    X(74, GetDialingParameters, ShortResult, Direct, 1, Out<DialingParameters>)                    \
    X(75, SetDialingParameters, ShortResult, Direct, 1, In<DialingParameters>)                     \
    X(76, GetLines, ShortResult, Direct, 2, In<int16_t>, LineBatch)                                \
    X(77, FindNextEntries, ShortResult, Retry, 3, EntryBatch, In<int16_t>, Out<int16_t>)           \
    X(78, IsSiteTableFull, ShortResult, Direct, 1, Out<uint8_t>)                                   \
    X(79, KeepAlive, NoResult, Direct, 0)                                                          \
    X(80, IsVpimAvailable, ShortResult, Direct, 1, Out<uint8_t>)                                   \
    X(81, GetVoiceParameters, LongResult, Retry, 1, Out<VoiceParameters>)                          \
    X(82, QueryNameVoice, LongResult, Retry, 2, In<Chars<8>>, Out<int32_t>)                        \
    X(83, OpenNameVoice, LongResult, Retry, 3, Out<TransferHandle>, In<Chars<8>>, In<int32_t>)     \
    X(84, ReadNameVoice, LongResult, Retry, 4, InOut<TransferHandle>, In<int32_t>, Out<int32_t>,   \
      VoiceChunkOut)                                                                               \
    X(85, WriteNameVoice, LongResult, Retry, 3, InOut<TransferHandle>, In<int32_t>, VoiceChunkIn)  \
    X(86, CloseNameVoice, LongResult, Retry, 2, InOut<TransferHandle>, In<int32_t>)                \
    X(87, QueryAaPrompt, LongResult, Retry, 3, In<uint8_t>, In<int32_t>, Out<int32_t>)             \
    X(88, OpenAaPrompt, LongResult, Retry, 4, Out<TransferHandle>, In<uint8_t>, In<int32_t>,       \
      In<int32_t>)                                                                                 \
    X(89, ReadAaPrompt, LongResult, Retry, 4, InOut<TransferHandle>, In<int32_t>, Out<int32_t>,    \
      VoiceChunkOut)                                                                               \
    X(90, WriteAaPrompt, LongResult, Retry, 3, InOut<TransferHandle>, In<int32_t>, VoiceChunkIn)   \
    X(91, CloseAaPrompt, LongResult, Retry, 2, InOut<TransferHandle>, In<int32_t>)                 \
    X(92, QuerySrPrompt, LongResult, Retry, 4, In<uint8_t>, In<int16_t>, In<int32_t>,              \
      Out<int32_t>)                                                                                \
    X(93, OpenSrPrompt, LongResult, Retry, 5, Out<TransferHandle>, In<uint8_t>, In<int16_t>,       \
      In<int32_t>, In<int32_t>)                                                                    \
    X(94, ReadSrPrompt, LongResult, Retry, 4, InOut<TransferHandle>, In<int32_t>, Out<int32_t>,    \
      VoiceChunkOut)                                                                               \
    X(95, WriteSrPrompt, LongResult, Retry, 3, InOut<TransferHandle>, In<int32_t>, VoiceChunkIn)   \
    X(96, CloseSrPrompt, LongResult, Retry, 2, InOut<TransferHandle>, In<int32_t>)

// Parameter lists and argument lists of the generated methods.
#define ZAX_CAT_(a, b) a##b
#define ZAX_CAT(a, b) ZAX_CAT_(a, b)
#define ZAX_PARAMS_0()
#define ZAX_PARAMS_1(A) [[maybe_unused]] ::zax::ArgOf<A> a1
#define ZAX_PARAMS_2(A, B) ZAX_PARAMS_1(A), [[maybe_unused]] ::zax::ArgOf<B> a2
#define ZAX_PARAMS_3(A, B, C) ZAX_PARAMS_2(A, B), [[maybe_unused]] ::zax::ArgOf<C> a3
#define ZAX_PARAMS_4(A, B, C, D) ZAX_PARAMS_3(A, B, C), [[maybe_unused]] ::zax::ArgOf<D> a4
#define ZAX_PARAMS_5(A, B, C, D, E) ZAX_PARAMS_4(A, B, C, D), [[maybe_unused]] ::zax::ArgOf<E> a5
#define ZAX_PARAMS(n, ...) ZAX_CAT(ZAX_PARAMS_, n)(__VA_ARGS__)
#define ZAX_ARGS_0
#define ZAX_ARGS_1 a1
#define ZAX_ARGS_2 a1, a2
#define ZAX_ARGS_3 a1, a2, a3
#define ZAX_ARGS_4 a1, a2, a3, a4
#define ZAX_ARGS_5 a1, a2, a3, a4, a5
#define ZAX_ARGS(n) ZAX_CAT(ZAX_ARGS_, n)
#define ZAX_PROC(op, R, ...) ::zax::Procedure<op, ::zax::R __VA_OPT__(, ) __VA_ARGS__>

// The opnum of each procedure by name (Opnum::GetSystemInfo is 64).
namespace Opnum {
#define ZAX_DECLARE_OPNUM(op, name, ...) inline constexpr uint16_t name = op;
ZAX_CATALOGUE(ZAX_DECLARE_OPNUM)
#undef ZAX_DECLARE_OPNUM
} // namespace Opnum

// Names of the procedures by opnum, for logs and messages.
const char* ProcedureName(uint16_t opnum);
// True when the catalogue declares the opnum.
bool IsCatalogued(uint16_t opnum);

} // namespace zax
