#include "messages/Message.h"

#include <array>

namespace {

// Marks a Korean source for the English texts: lupdate reads it as QT_TRANSLATE_NOOP, so the
// .ts keeps each source under the context the screen translates it in.
constexpr const char* Translatable(const char* /*context*/, const char* source) {
    return source;
}

struct Entry {
    MessageId Id;
    const char* Source;
};

// In the order of MessageId.
constexpr Entry Entries[] = {
    {MessageId::Plain, ""},
    {MessageId::RangeStatistics, Translatable("CoreTexts", "구간 통계")},
    {MessageId::PointCount, Translatable("CoreTexts", "점 수")},
    {MessageId::StartTime, Translatable("CoreTexts", "시작 [s]")},
    {MessageId::EndTime, Translatable("CoreTexts", "끝 [s]")},
    {MessageId::Minimum, Translatable("CoreTexts", "최솟값")},
    {MessageId::Maximum, Translatable("CoreTexts", "최댓값")},
    {MessageId::Mean, Translatable("CoreTexts", "평균")},
    {MessageId::StandardDeviation, Translatable("CoreTexts", "표준편차")},
    {MessageId::MeanAcceleration, Translatable("CoreTexts", "평균 가속도 [m/s²]")},
    {MessageId::MeanAccelerationInterval, Translatable("CoreTexts", "  ± 95 % 구간 [m/s²]")},
    {MessageId::VelocityTitle, Translatable("CoreTexts", "속도 [m/s]")},
    {MessageId::TiltTitle, Translatable("CoreTexts", "기울기 [°]")},
    {MessageId::ForceNewtonTitle, Translatable("CoreTexts", "힘 [N]")},
    {MessageId::ForceKgfTitle, Translatable("CoreTexts", "힘 [kgf]")},
    {MessageId::TimeTitle, Translatable("CoreTexts", "시간 [s]")},
    {MessageId::DistanceTitle, Translatable("CoreTexts", "이동 거리 [m]")},
    {MessageId::VectorSumTitle, Translatable("CoreTexts", "벡터합%1")},
    {MessageId::SineFit, Translatable("CoreTexts", "사인 맞춤")},
    {MessageId::SineFitDamped, Translatable("CoreTexts", "사인 맞춤 (감쇠 진동)")},
    {MessageId::GravityWithoutLength,
     Translatable("CoreTexts", "중력 g: 길이 칸이 비어 있거나 숫자가 아닙니다")},
    {MessageId::AmplitudeNotAlongString,
     Translatable("CoreTexts", "진폭 θ0: 줄 방향 축의 값(약 1 g)이 아니어서 읽을 수 없습니다")},
    {MessageId::AmplitudeNotByGravity,
     Translatable("CoreTexts", "진폭 θ0: 이 관찰 방식으로는 읽을 수 없습니다")},
    {MessageId::AmplitudeNotAbsolute,
     Translatable("CoreTexts", "진폭 θ0: 영점을 뺀 값으로는 읽을 수 없습니다")},
    {MessageId::AmplitudeWithoutOthers,
     Translatable("CoreTexts", "진폭 θ0: 다른 두 축의 값이 모두 있어야 읽을 수 있습니다")},
    {MessageId::AmplitudeNotASwing,
     Translatable("CoreTexts", "진폭 θ0: 진자의 흔들림과 맞지 않아 읽을 수 없습니다")},
    {MessageId::DampedNote, Translatable("CoreTexts", "감쇠 진동: 구간 가운데의 진폭에서 잰 값")},
    {MessageId::IntervalNote, Translatable("CoreTexts", "± 는 95 % 구간 (2σ)")},
    {MessageId::FitTooFewPoints, Translatable("CoreTexts", "맞춤 불가: 점이 너무 적습니다")},
    {MessageId::FitNotANumber, Translatable("CoreTexts", "맞춤 불가: 숫자가 아닌 값이 있습니다")},
    {MessageId::FitNoChange, Translatable("CoreTexts", "맞춤 불가: 값의 변화가 없습니다")},
    {MessageId::FitNoOscillation, Translatable("CoreTexts", "맞춤 불가: 진동을 찾을 수 없습니다")},
    {MessageId::FitShorterThanPeriod,
     Translatable("CoreTexts", "맞춤 불가: 구간이 한 주기보다 짧습니다")},
    {MessageId::AutoConnected, Translatable("CoreTexts", "가속도계가 자동 연결되었습니다.")},
    {MessageId::AdviceCheck,
     Translatable(
         "CoreTexts",
         "점검 : 연결가능한 가속도계가 없습니다. 가속도계의 전원과 통신 케이블을 점검하세요")},
    {MessageId::AdviceFix1,
     Translatable(
         "CoreTexts",
         "해결1: 가속도계의 전원을 껏다 다시 켜고 우측 상단의 포트모양의 아이콘을 클릭합니다")},
    {MessageId::AdviceFix2,
     Translatable(
         "CoreTexts",
         "해결2: [제어판]-[장치관리자]에서 직렬 통신포트가 1~8사이로 설정되어 있는지 확인 합니다")},
    {MessageId::AdviceFix3Linux,
     Translatable(
         "CoreTexts",
         "해결3: 리눅스에서는 포트를 /dev/ttyUSB0 또는 /dev/ttyACM0 형식으로 입력하고, 사용자가 "
         "dialout 그룹에 속해 있는지 확인합니다 (sudo usermod -aG dialout 사용자명, 다시 로그인)")},
    {MessageId::Reconnected, Translatable("CoreTexts", "가속도계가 다시 연결되었습니다.")},
    {MessageId::DeviceSilent,
     Translatable("CoreTexts", "가속도계가 연결되어 있지만 데이터를 보내지 않습니다 (%1). 계속 "
                               "요청하고 있습니다. 오래 계속되면 가속도계의 전원을 껐다 켜고 우측 "
                               "상단의 포트모양의 아이콘을 눌러 다시 연결하세요")},
    {MessageId::PortInUse,
     Translatable("CoreTexts",
                  "포트 %1을(를) 다른 프로그램이 사용 중입니다. 그 프로그램(다른 Tarvik 창, 시리얼 "
                  "모니터 등)을 닫은 뒤 우측 상단의 포트모양의 아이콘을 눌러 연결하세요")},
    {MessageId::PeriodTooNoisy,
     Translatable("CoreTexts", "주기: 이 구간에서는 흔들림이 잡음에 비해 너무 작아 잴 수 없습니다. "
                               "진폭을 크게 하거나, 필터를 켜거나, 더 긴 구간을 보세요")},
    {MessageId::PeriodTooFewSwings,
     Translatable(
         "CoreTexts",
         "주기: 이 구간에는 흔들림이 너무 적어 1 % 안으로 잴 수 없습니다. 더 긴 구간을 보세요")},
    {MessageId::PeriodUneven,
     Translatable(
         "CoreTexts",
         "주기: 이 구간은 흔들림이 고르지 않아 잴 수 없습니다. 고르게 흔들리는 구간을 보세요")},
    {MessageId::DeviceLost,
     Translatable("CoreTexts",
                  "가속도계 연결이 끊어졌습니다 (%1). 케이블을 다시 연결하면 자동으로 다시 "
                  "연결되며, 우측 상단의 포트모양의 아이콘을 눌러 바로 연결할 수도 있습니다")},
    {MessageId::LostSamples,
     Translatable("CoreTexts", "[주의] 이번 측정에서 샘플 약 %1개(%2%)를 받지 못했습니다. 시간 "
                               "값이 실제보다 짧게 나타납니다")},
    {MessageId::RunEndedByLostDevice,
     Translatable("CoreTexts", "가속도계 연결이 끊어져 측정을 %1 s에서 끝냅니다. 그때까지의 기록은 "
                               "남습니다. 다시 연결되면 [시작]으로 새 측정을 시작하세요")},
    {MessageId::AxisNotRecorded,
     Translatable("CoreTexts", "이 기록에는 %1축 값이 없어 주기와 맞춤을 구할 수 없습니다. 관찰 "
                               "축을 기록에 있는 축으로 바꾸세요")},
    {MessageId::SpreadsheetNotALog,
     Translatable("CoreTexts", "이 파일은 기록 파일이 아니라 스프레드시트용으로 내보낸 표여서 "
                               "불러오지 않았습니다 : %1")},
    {MessageId::AxisReadout, Translatable("CoreTexts", "%1축ACC:%2")},
    {MessageId::StrayPointsLeftOut, Translatable("CoreTexts", "%1, 튀는 점 %2개 제외")},
    {MessageId::PeriodLine, Translatable("CoreTexts", "주기 T = %1")},
    {MessageId::GravityLine, Translatable("CoreTexts", "중력 g = 4π²L/T² = %1")},
    {MessageId::LengthLine, Translatable("CoreTexts", "  L = %1 (길이 칸 마지막 자리의 절반)")},
    {MessageId::LargeSwing,
     Translatable(
         "CoreTexts",
         "진폭 θ0 = %1°: 작은 진폭 공식의 g는 약 %2 % 작게 나옵니다. 진폭을 보정한 g = %3")},
    {MessageId::AmplitudeLine, Translatable("CoreTexts", "진폭 θ0 = %1")},
    {MessageId::SmallSwingPeriodLine, Translatable("CoreTexts", "작은 진폭 보정 T0 = %1")},
    {MessageId::CorrectedGravityLine, Translatable("CoreTexts", "보정한 g = %1")},
    {MessageId::PendulumAxisTitle, Translatable("CoreTexts", "%1축 가속도%2")},
    {MessageId::AccelerationTitle, Translatable("CoreTexts", "%1 가속도%2")},
    {MessageId::LineFit, Translatable("CoreTexts", "직선 맞춤: y = a + b·t")},
    {MessageId::ParabolaFit, Translatable("CoreTexts", "포물선 맞춤: y = a + b·t + c·t²")},
    {MessageId::LineFitLabel, Translatable("CoreTexts", "직선 맞춤: y = %1")},
    {MessageId::ParabolaFitLabel, Translatable("CoreTexts", "포물선 맞춤: y = %1")},
    {MessageId::ResidualDeviationLine, Translatable("CoreTexts", "잔차 표준편차 s = %1")},
    {MessageId::FittedPointsNote,
     Translatable("CoreTexts", "점 %1개, ± 는 95 % 구간 (t 분포, 자유도 %2)")},
    {MessageId::AreaUnderCurve, Translatable("CoreTexts", "곡선 아래 넓이")},
};
static_assert(std::size(Entries) == MessageIdCount);

constexpr bool InOrder() {
    for (int i = 0; i < MessageIdCount; ++i)
        if (static_cast<int>(Entries[i].Id) != i) return false;
    return true;
}
static_assert(InOrder(), "an entry out of the order of MessageId");

} // namespace

const char* KoreanSource(MessageId id) {
    return Entries[static_cast<int>(id)].Source;
}
