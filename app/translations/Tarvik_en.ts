<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="ko">
<context>
    <name>CalibrationPage</name>
    <message>
        <location filename="../CalibrationPage.cpp" line="216"/>
        <source>{Fail] 센스명이 누락되었습니다.</source>
        <translation>[Fail] The sensor serial number is missing.</translation>
    </message>
    <message>
        <location filename="../CalibrationPage.cpp" line="231"/>
        <source>%1 센스특성을 저장하였습니다.</source>
        <translation>Sensor %1: calibration saved to its history.</translation>
    </message>
</context>
<context>
    <name>ChartSet</name>
    <message>
        <location filename="../../display/ChartSet.cpp" line="36"/>
        <source>가속도[g]</source>
        <translation>Acceleration [g]</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="36"/>
        <source>힘[Kgf]</source>
        <translation>Force [kgf]</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="38"/>
        <source>가속도[m/s2]</source>
        <translation>Acceleration [m/s2]</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="38"/>
        <source>힘[N]</source>
        <translation>Force [N]</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="99"/>
        <source>속도 산출 그래프</source>
        <translation>Velocity from acceleration</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="100"/>
        <source>속도[m/s]</source>
        <translation>Velocity [m/s]</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="101"/>
        <source>기울기 그래프</source>
        <translation>Tilt</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="102"/>
        <source>기울기(각도)</source>
        <translation>Tilt (angle)</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="143"/>
        <source>가속도 &amp; 힘</source>
        <translation>Acceleration &amp; force</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="144"/>
        <location filename="../../display/ChartSet.cpp" line="173"/>
        <source>시간 [sec]</source>
        <translation>Time [s]</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="146"/>
        <source>가속도 [g]</source>
        <translation>Acceleration [g]</translation>
    </message>
    <message>
        <location filename="../../display/ChartSet.cpp" line="153"/>
        <source>힘(Kgf)</source>
        <translation>Force (kgf)</translation>
    </message>
</context>
<context>
    <name>ChartTools</name>
    <message>
        <location filename="../../display/ChartTools.cpp" line="101"/>
        <source>구간 통계</source>
        <translation>Range statistics</translation>
    </message>
    <message>
        <location filename="../../display/ChartTools.cpp" line="102"/>
        <source>구간 선택</source>
        <translation>Mark a time range</translation>
    </message>
    <message>
        <location filename="../../display/ChartTools.cpp" line="103"/>
        <source>사인 맞춤</source>
        <translation>Sine fit</translation>
    </message>
    <message>
        <location filename="../../display/ChartTools.cpp" line="104"/>
        <source>직선·포물선 맞춤</source>
        <translation>Line or parabola fit</translation>
    </message>
    <message>
        <location filename="../../display/ChartTools.cpp" line="106"/>
        <source>이전 실행 겹치기</source>
        <translation>Overlay earlier runs</translation>
    </message>
    <message>
        <location filename="../../display/ChartTools.cpp" line="107"/>
        <source>겹치기 지우기</source>
        <translation>Clear overlays</translation>
    </message>
    <message>
        <location filename="../../display/ChartTools.cpp" line="108"/>
        <source>그림으로 저장</source>
        <translation>Save as picture</translation>
    </message>
    <message>
        <location filename="../../display/ChartTools.cpp" line="109"/>
        <source>CSV 내보내기</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <location filename="../../display/ChartTools.cpp" line="244"/>
        <source>선택한 구간</source>
        <translation>Marked range</translation>
    </message>
    <message>
        <location filename="../../display/ChartTools.cpp" line="244"/>
        <source>보이는 구간</source>
        <translation>Range in view</translation>
    </message>
    <message>
        <location filename="../../display/ChartTools.cpp" line="477"/>
        <source>저장할 수 있는 Data가 없습니다</source>
        <translation>There is no data to save.</translation>
    </message>
</context>
<context>
    <name>CoreTexts</name>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="21"/>
        <source>구간 통계</source>
        <translation>Range statistics</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="22"/>
        <source>점 수</source>
        <translation>Points</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="23"/>
        <source>시작 [s]</source>
        <translation>Start [s]</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="24"/>
        <source>끝 [s]</source>
        <translation>End [s]</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="25"/>
        <source>최솟값</source>
        <translation>Minimum</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="26"/>
        <source>최댓값</source>
        <translation>Maximum</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="27"/>
        <source>평균</source>
        <translation>Mean</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="28"/>
        <source>표준편차</source>
        <translation>Standard deviation</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="29"/>
        <source>평균 가속도 [m/s²]</source>
        <translation>Mean acceleration [m/s²]</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="30"/>
        <source>  ± 95 % 구간 [m/s²]</source>
        <translation>  ± 95 % interval [m/s²]</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="31"/>
        <source>속도 [m/s]</source>
        <translation>Velocity [m/s]</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="32"/>
        <source>기울기 [°]</source>
        <translation>Tilt [°]</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="33"/>
        <source>힘 [N]</source>
        <translation>Force [N]</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="34"/>
        <source>힘 [kgf]</source>
        <translation>Force [kgf]</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="35"/>
        <source>시간 [s]</source>
        <translation>Time [s]</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="36"/>
        <source>이동 거리 [m]</source>
        <translation>Distance [m]</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="37"/>
        <source>벡터합%1</source>
        <translation>Vector sum%1</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="38"/>
        <source>사인 맞춤</source>
        <translation>Sine fit</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="39"/>
        <source>사인 맞춤 (감쇠 진동)</source>
        <translation>Sine fit (damped swing)</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="41"/>
        <source>중력 g: 길이 칸이 비어 있거나 숫자가 아닙니다</source>
        <translation>Gravity g: the length box is empty or not a number</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="43"/>
        <source>진폭 θ0: 줄 방향 축의 값(약 1 g)이 아니어서 읽을 수 없습니다</source>
        <translation>Amplitude θ0: not readable, the axis is not along the string (about 1 g)</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="45"/>
        <source>진폭 θ0: 이 관찰 방식으로는 읽을 수 없습니다</source>
        <translation>Amplitude θ0: not readable when measuring by acceleration</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="47"/>
        <source>진폭 θ0: 영점을 뺀 값으로는 읽을 수 없습니다</source>
        <translation>Amplitude θ0: not readable from values with the zero offset subtracted</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="49"/>
        <source>진폭 θ0: 다른 두 축의 값이 모두 있어야 읽을 수 있습니다</source>
        <translation>Amplitude θ0: readable only with both other axes recorded in full</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="51"/>
        <source>진폭 θ0: 진자의 흔들림과 맞지 않아 읽을 수 없습니다</source>
        <translation>Amplitude θ0: not readable, the curve does not fit a pendulum&apos;s swing</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="52"/>
        <source>감쇠 진동: 구간 가운데의 진폭에서 잰 값</source>
        <translation>Damped swing: values at the amplitude in the middle of the range</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="53"/>
        <source>± 는 95 % 구간 (2σ)</source>
        <translation>± is the 95 % interval (2σ)</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="54"/>
        <source>맞춤 불가: 점이 너무 적습니다</source>
        <translation>No fit: too few points</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="55"/>
        <source>맞춤 불가: 숫자가 아닌 값이 있습니다</source>
        <translation>No fit: some values are not numbers</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="56"/>
        <source>맞춤 불가: 값의 변화가 없습니다</source>
        <translation>No fit: the values do not change</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="57"/>
        <source>맞춤 불가: 진동을 찾을 수 없습니다</source>
        <translation>No fit: no swing found</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="59"/>
        <source>맞춤 불가: 구간이 한 주기보다 짧습니다</source>
        <translation>No fit: the range is shorter than one period</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="60"/>
        <source>가속도계가 자동 연결되었습니다.</source>
        <translation>The accelerometer was found and connected.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="62"/>
        <source>점검 : 연결가능한 가속도계가 없습니다. 가속도계의 전원과 통신 케이블을 점검하세요</source>
        <translation>Check: no accelerometer answered. Check that it is switched on and that its cable is plugged in.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="66"/>
        <source>해결1: 가속도계의 전원을 껏다 다시 켜고 우측 상단의 포트모양의 아이콘을 클릭합니다</source>
        <translation>Fix 1: switch the accelerometer off and on again, then click the port icon at the top right.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="70"/>
        <source>해결2: [제어판]-[장치관리자]에서 직렬 통신포트가 1~8사이로 설정되어 있는지 확인 합니다</source>
        <translation>Fix 2: in [Control Panel]-[Device Manager], check that the serial port is one of COM1 to COM8.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="74"/>
        <source>해결3: 리눅스에서는 포트를 /dev/ttyUSB0 또는 /dev/ttyACM0 형식으로 입력하고, 사용자가 dialout 그룹에 속해 있는지 확인합니다 (sudo usermod -aG dialout 사용자명, 다시 로그인)</source>
        <translation>Fix 3: on Linux, enter the port as /dev/ttyUSB0 or /dev/ttyACM0 and check that you belong to the dialout group (sudo usermod -aG dialout USERNAME, then log in again).</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="78"/>
        <source>가속도계가 다시 연결되었습니다.</source>
        <translation>The accelerometer is connected again.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="80"/>
        <source>가속도계가 연결되어 있지만 데이터를 보내지 않습니다 (%1). 계속 요청하고 있습니다. 오래 계속되면 가속도계의 전원을 껐다 켜고 우측 상단의 포트모양의 아이콘을 눌러 다시 연결하세요</source>
        <translation>The accelerometer is connected but sends no data (%1). The program keeps asking. If this goes on, switch the accelerometer off and on, then click the port icon at the top right to connect again.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="84"/>
        <source>포트 %1을(를) 다른 프로그램이 사용 중입니다. 그 프로그램(다른 Tarvik 창, 시리얼 모니터 등)을 닫은 뒤 우측 상단의 포트모양의 아이콘을 눌러 연결하세요</source>
        <translation>Port %1 is in use by another program. Close that program (another Tarvik window, a serial monitor …), then click the port icon at the top right to connect.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="88"/>
        <source>주기: 이 구간에서는 흔들림이 잡음에 비해 너무 작아 잴 수 없습니다. 진폭을 크게 하거나, 필터를 켜거나, 더 긴 구간을 보세요</source>
        <translation>Period: in this view the swing is too small for the noise to measure. Make the swing larger, switch the filter on or view a longer stretch.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="91"/>
        <source>주기: 이 구간에는 흔들림이 너무 적어 1 % 안으로 잴 수 없습니다. 더 긴 구간을 보세요</source>
        <translation>Period: this view holds too few swings to measure it within 1 %. View a longer stretch.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="95"/>
        <source>주기: 이 구간은 흔들림이 고르지 않아 잴 수 없습니다. 고르게 흔들리는 구간을 보세요</source>
        <translation>Period: the swinging in this view is uneven, so it cannot be measured. View a stretch where it swings steadily.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="99"/>
        <source>가속도계 연결이 끊어졌습니다 (%1). 케이블을 다시 연결하면 자동으로 다시 연결되며, 우측 상단의 포트모양의 아이콘을 눌러 바로 연결할 수도 있습니다</source>
        <translation>The accelerometer was disconnected (%1). Plug the cable back in and it reconnects by itself, or click the port icon at the top right to connect now.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="103"/>
        <source>[주의] 이번 측정에서 샘플 약 %1개(%2%)를 받지 못했습니다. 시간 값이 실제보다 짧게 나타납니다</source>
        <translation>[Note] About %1 samples (%2%) of this run were not received: times appear shorter than they were.</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="106"/>
        <source>가속도계 연결이 끊어져 측정을 %1 s에서 끝냅니다. 그때까지의 기록은 남습니다. 다시 연결되면 [시작]으로 새 측정을 시작하세요</source>
        <translation>The accelerometer was disconnected: the run ends at %1 s and keeps what it recorded. Once it is connected again, press [Start] for a new run</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="109"/>
        <source>이 기록에는 %1축 값이 없어 주기와 맞춤을 구할 수 없습니다. 관찰 축을 기록에 있는 축으로 바꾸세요</source>
        <translation>This log holds no %1 axis values, so it gives no period and no fit. Choose an observed axis the log holds</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="112"/>
        <source>이 파일은 기록 파일이 아니라 스프레드시트용으로 내보낸 표여서 불러오지 않았습니다 : %1</source>
        <translation>Not loaded: this file is a table exported for a spreadsheet, not a log : %1</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="114"/>
        <source>%1축ACC:%2</source>
        <translation>%1 acc.:%2</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="115"/>
        <source>%1, 튀는 점 %2개 제외</source>
        <translation>%1, %2 stray points left out</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="116"/>
        <source>주기 T = %1</source>
        <translation>Period T = %1</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="117"/>
        <source>중력 g = 4π²L/T² = %1</source>
        <translation>Gravity g = 4π²L/T² = %1</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="118"/>
        <source>  L = %1 (길이 칸 마지막 자리의 절반)</source>
        <translation>  L = %1 (half the last digit of the length box)</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="120"/>
        <source>진폭 θ0 = %1°: 작은 진폭 공식의 g는 약 %2 % 작게 나옵니다. 진폭을 보정한 g = %3</source>
        <translation>Amplitude θ0 = %1°: the small-swing formula gives g about %2 % low. g corrected for the amplitude = %3</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="123"/>
        <source>진폭 θ0 = %1</source>
        <translation>Amplitude θ0 = %1</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="124"/>
        <source>작은 진폭 보정 T0 = %1</source>
        <translation>Small-swing period T0 = %1</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="125"/>
        <source>보정한 g = %1</source>
        <translation>Corrected g = %1</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="126"/>
        <source>%1축 가속도%2</source>
        <translation>%1-axis acceleration%2</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="127"/>
        <source>%1 가속도%2</source>
        <translation>%1 acceleration%2</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="128"/>
        <source>직선 맞춤: y = a + b·t</source>
        <translation>Line fit: y = a + b·t</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="129"/>
        <source>포물선 맞춤: y = a + b·t + c·t²</source>
        <translation>Parabola fit: y = a + b·t + c·t²</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="130"/>
        <source>직선 맞춤: y = %1</source>
        <translation>Line fit: y = %1</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="131"/>
        <source>포물선 맞춤: y = %1</source>
        <translation>Parabola fit: y = %1</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="132"/>
        <source>잔차 표준편차 s = %1</source>
        <translation>Residual standard deviation s = %1</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="134"/>
        <source>점 %1개, ± 는 95 % 구간 (t 분포, 자유도 %2)</source>
        <translation>%1 points, ± is the 95 % interval (t distribution, %2 degrees of freedom)</translation>
    </message>
    <message>
        <location filename="../../messages/MessageTexts.cpp" line="135"/>
        <source>곡선 아래 넓이</source>
        <translation>Area under the curve</translation>
    </message>
</context>
<context>
    <name>FitWindow</name>
    <message>
        <location filename="../../display/FitWindow.cpp" line="26"/>
        <source>모델 맞춤</source>
        <translation>Model fit</translation>
    </message>
    <message>
        <location filename="../../display/FitWindow.cpp" line="28"/>
        <source>직선</source>
        <translation>Line</translation>
    </message>
    <message>
        <location filename="../../display/FitWindow.cpp" line="28"/>
        <source>포물선</source>
        <translation>Parabola</translation>
    </message>
    <message>
        <location filename="../../display/FitWindow.cpp" line="28"/>
        <source>사인 (진자)</source>
        <translation>Sine (pendulum)</translation>
    </message>
    <message>
        <location filename="../../display/FitWindow.cpp" line="29"/>
        <source>맞춤 모델</source>
        <translation>Fit model</translation>
    </message>
    <message>
        <location filename="../../display/FitWindow.cpp" line="31"/>
        <source>맞출 곡선</source>
        <translation>Curve to fit</translation>
    </message>
    <message>
        <location filename="../../display/FitWindow.cpp" line="34"/>
        <source>맞춤 결과</source>
        <translation>Fit result</translation>
    </message>
    <message>
        <location filename="../../display/FitWindow.cpp" line="39"/>
        <source>복사</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location filename="../../display/FitWindow.cpp" line="43"/>
        <source>모델</source>
        <translation>Model</translation>
    </message>
    <message>
        <location filename="../../display/FitWindow.cpp" line="44"/>
        <source>곡선</source>
        <translation>Curve</translation>
    </message>
</context>
<context>
    <name>LabReportMaker</name>
    <message>
        <location filename="../LabReportMaker.cpp" line="46"/>
        <location filename="../LabReportMaker.cpp" line="56"/>
        <source>보고서 저장</source>
        <translation>Save report</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="74"/>
        <source>실험 보고서</source>
        <translation>Lab report</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="77"/>
        <source>작성: %1</source>
        <translation>Written: %1</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="79"/>
        <source>이름: </source>
        <translation>Name: </translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="80"/>
        <source>반: </source>
        <translation>Class: </translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="81"/>
        <source>측정값</source>
        <translation>Values</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="87"/>
        <source>설정</source>
        <translation>Settings</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="91"/>
        <source>구간 통계</source>
        <translation>Range statistics</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="96"/>
        <source>맞춤</source>
        <translation>Fits</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="112"/>
        <source>파일명</source>
        <translation>Log file</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="113"/>
        <source>질량</source>
        <translation>Mass</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="114"/>
        <source>길이</source>
        <translation>Length</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="115"/>
        <source>필터</source>
        <translation>Filter</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="116"/>
        <source>단위</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="117"/>
        <source>시간 창</source>
        <translation>Time window</translation>
    </message>
    <message>
        <location filename="../LabReportMaker.cpp" line="118"/>
        <source>측정 범위</source>
        <translation>Device range</translation>
    </message>
</context>
<context>
    <name>PendulumPage</name>
    <message>
        <location filename="../PendulumPage.cpp" line="40"/>
        <source>주기 칸에 잰 주기가 없어 중력을 계산하지 않았습니다. 진자 실행을 끝내거나 그래프를 확대해 주기를 먼저 재세요</source>
        <translation>The period box holds no measured period, so gravity was not calculated. End a pendulum run or zoom the chart to measure the period first</translation>
    </message>
</context>
<context>
    <name>ProjectorMode</name>
    <message>
        <location filename="../ProjectorMode.cpp" line="25"/>
        <source>프로젝터 화면</source>
        <translation>Projector view</translation>
    </message>
</context>
<context>
    <name>ReplayBar</name>
    <message>
        <location filename="../ReplayBar.cpp" line="20"/>
        <source>한 샘플(&amp;S)</source>
        <translation>One &amp;sample</translation>
    </message>
    <message>
        <location filename="../ReplayBar.cpp" line="21"/>
        <source>끝내기(&amp;E)</source>
        <translation>&amp;End</translation>
    </message>
    <message>
        <location filename="../ReplayBar.cpp" line="23"/>
        <source>기록 재생</source>
        <translation>Replay</translation>
    </message>
    <message>
        <location filename="../ReplayBar.cpp" line="29"/>
        <source>멈춘 동안 다음 샘플 하나를 보냅니다</source>
        <translation>While paused, sends the next sample alone</translation>
    </message>
    <message>
        <location filename="../ReplayBar.cpp" line="32"/>
        <source>속도(&amp;V)</source>
        <translation>Speed (&amp;V)</translation>
    </message>
    <message>
        <location filename="../ReplayBar.cpp" line="83"/>
        <source>계속(&amp;P)</source>
        <translation>Resume (&amp;P)</translation>
    </message>
    <message>
        <location filename="../ReplayBar.cpp" line="83"/>
        <source>일시정지(&amp;P)</source>
        <translation>&amp;Pause</translation>
    </message>
</context>
<context>
    <name>ReplayPlayer</name>
    <message>
        <location filename="../ReplayPlayer.cpp" line="23"/>
        <source>기록 재생...</source>
        <translation>Replay a run...</translation>
    </message>
</context>
<context>
    <name>RunOverlay</name>
    <message>
        <location filename="../../display/RunOverlay.cpp" line="89"/>
        <source>이전 실행 %1</source>
        <translation>Earlier run %1</translation>
    </message>
</context>
<context>
    <name>RunTableWindow</name>
    <message>
        <location filename="../../display/RunTableWindow.cpp" line="34"/>
        <location filename="../../display/RunTableWindow.cpp" line="37"/>
        <location filename="../../display/RunTableWindow.cpp" line="45"/>
        <source>데이터 표</source>
        <translation>Data table</translation>
    </message>
    <message>
        <location filename="../../display/RunTableWindow.cpp" line="61"/>
        <source>복사</source>
        <translation>Copy</translation>
    </message>
    <message>
        <location filename="../../display/RunTableWindow.cpp" line="96"/>
        <source>측정 중입니다. 측정이 끝나면 표를 채웁니다.</source>
        <translation>Measuring. The table fills when the run ends.</translation>
    </message>
    <message>
        <location filename="../../display/RunTableWindow.cpp" line="98"/>
        <source>기록된 샘플이 없습니다.</source>
        <translation>No samples recorded.</translation>
    </message>
    <message>
        <location filename="../../display/RunTableWindow.cpp" line="100"/>
        <source>샘플 %1개, %2 s ~ %3 s</source>
        <translation>%1 samples, %2 s to %3 s</translation>
    </message>
</context>
<context>
    <name>StatisticsWindow</name>
    <message>
        <location filename="../../display/StatisticsWindow.cpp" line="18"/>
        <source>구간 통계</source>
        <translation>Range statistics</translation>
    </message>
    <message>
        <location filename="../../display/StatisticsWindow.cpp" line="19"/>
        <source>복사</source>
        <translation>Copy</translation>
    </message>
</context>
<context>
    <name>TForm1</name>
    <message>
        <location filename="../Tarvikmain.ui" line="23"/>
        <source>가속도 실시간 분석 시스템</source>
        <translation>Live acceleration lab</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="30"/>
        <source>파일명</source>
        <translation>File</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="37"/>
        <source>시작시 임시 파일명이 자동으로 만들어집니다. [YYMMDD_HHMMSS.csv]</source>
        <translation>Start gives the run a file name of its own. [YYMMDD_HHMMSS.csv]</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="42"/>
        <source>저장</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="44"/>
        <source>파일 저장하기</source>
        <translation>Save the run to a file</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="49"/>
        <source>열기</source>
        <translation>Open</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="51"/>
        <source>파일 가져오기</source>
        <translation>Open a saved run</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="63"/>
        <source>시간(s)</source>
        <translation>Time (s)</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="82"/>
        <source>단위</source>
        <translation>Unit</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="103"/>
        <source>필터</source>
        <translation>Filter</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="110"/>
        <source>칼만필터 설정</source>
        <translation>Smoothing (Kalman filter)</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="111"/>
        <location filename="../Tarvikmain.ui" line="116"/>
        <source>중간</source>
        <translation>Mid</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="114"/>
        <source>없음</source>
        <translation>None</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="115"/>
        <source>낮음</source>
        <translation>Low</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="117"/>
        <source>높음</source>
        <translation>High</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="125"/>
        <source>시작</source>
        <translation>Start</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="133"/>
        <source>중지</source>
        <translation>Stop</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="151"/>
        <source>툴킷 연결</source>
        <translation>Device</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="157"/>
        <source>가속도계  검색 및 자동 연결</source>
        <translation>Search for the accelerometer and connect</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="164"/>
        <source>가속도계 연결 및 해제</source>
        <translation>Connect or disconnect the accelerometer</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="165"/>
        <source>연결</source>
        <translation>Connect</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="177"/>
        <source>가속도와 힘의 관찰</source>
        <translation>Acceleration/force</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="193"/>
        <source>자유영역값표시</source>
        <translation>Free readout</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="227"/>
        <source>X축 가속도</source>
        <translation>X acceleration</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="274"/>
        <source>질량과 힘</source>
        <translation>Mass and force</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="280"/>
        <source>질량</source>
        <translation>Mass</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="296"/>
        <source>힘</source>
        <translation>Force</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="340"/>
        <source>벡터합</source>
        <translation>Vector sum</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="372"/>
        <source>3축 관찰 </source>
        <translation>3 axes </translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="393"/>
        <source>Offset보정</source>
        <translation>Zero offset</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="410"/>
        <location filename="../Tarvikmain.ui" line="426"/>
        <location filename="../Tarvikmain.ui" line="442"/>
        <source>보정</source>
        <translation>Apply</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="454"/>
        <source>보정초기화</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="459"/>
        <source>3축 자동보정</source>
        <translation>Zero all 3</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="471"/>
        <source>기울기(각도)</source>
        <translation>Tilt (angle)</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="487"/>
        <source>각도</source>
        <translation>Angle</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="501"/>
        <source>[dig]</source>
        <translation>[deg]</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="510"/>
        <source>가속도계를 수평
이 되도록 위치
시킨후 [시작] 버
튼을 누릅니다.
유효값은 60도까
지입니다</source>
        <translation>Lay the sensor
level, then
press [Start].
Angles are valid
up to 60°.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="519"/>
        <source>  진자운동  </source>
        <translation>  Pendulum  </translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="532"/>
        <source>진자운동</source>
        <translation>Pendulum</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="538"/>
        <source>관찰 방식</source>
        <translation>Measure by</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="547"/>
        <source>중력가속도</source>
        <translation>Gravity</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="553"/>
        <source>가속도</source>
        <translation>Acceleration</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="561"/>
        <source>주의) 가속도 관찰 대상 (진자운동 방향이 아님)</source>
        <translation>Note: the sensor axis read (not the swing direction)</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="562"/>
        <source>관찰 축</source>
        <translation>Axis</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="571"/>
        <source>AM의 X축</source>
        <translation>Sensor X</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="576"/>
        <source>AM의 Y축</source>
        <translation>Sensor Y</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="582"/>
        <source>AM의 Z축</source>
        <translation>Sensor Z</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="597"/>
        <source>길이</source>
        <translation>Length</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="633"/>
        <source>주기</source>
        <translation>Period</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="649"/>
        <source>중력계산</source>
        <translation>Calc. g</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="665"/>
        <source>주기 계산</source>
        <translation>Period calc.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="683"/>
        <source>기본공식</source>
        <translation>Formula</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="700"/>
        <source>가속도와 속도</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="728"/>
        <source>현재 속도</source>
        <translation>Velocity</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="742"/>
        <source>[m/S]</source>
        <translation>[m/s]</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="747"/>
        <source>이동거리</source>
        <translation>Distance</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="769"/>
        <source>초기 속도</source>
        <translation>Start vel.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="785"/>
        <source>속도보정</source>
        <translation>Rest correction</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="792"/>
        <source>중력가속도 보정</source>
        <translation>Gravity correction</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="803"/>
        <source>옵션 설정</source>
        <translation>Options</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="806"/>
        <source>칼만필터설정</source>
        <translation>Kalman filter</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="837"/>
        <source>칼만필터</source>
        <translation>Filter on</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="866"/>
        <source>칼만비교</source>
        <translation>Compare</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="933"/>
        <source>모니터</source>
        <translation>Monitor</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="942"/>
        <source>벡터합 [g]</source>
        <translation>Vector sum [g]</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="954"/>
        <source>벡터합-1 [g]</source>
        <translation>Vector sum - 1 [g]</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="966"/>
        <source>각도 [dig]</source>
        <translation>Angle [deg]</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="983"/>
        <source>자동중지</source>
        <translation>Auto stop</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="990"/>
        <source>보정설정(SENSOR BASE UNIT)</source>
        <translation>Calibration (SENSOR BASE UNIT)</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1042"/>
        <source>X축</source>
        <translation>X axis</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1091"/>
        <source>Y축</source>
        <translation>Y axis</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1140"/>
        <source>Z축</source>
        <translation>Z axis</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1206"/>
        <source>초기화</source>
        <translation>Clear</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1211"/>
        <source>보정계산</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1216"/>
        <source>보정적용</source>
        <translation>Write to sensor</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1279"/>
        <source>센스 S/N</source>
        <translation>Sensor S/N</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1305"/>
        <source>센스이력</source>
        <translation>History file</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1315"/>
        <source>이력저장</source>
        <translation>Save</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1320"/>
        <source>이력읽기</source>
        <translation>Load</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1332"/>
        <source>보정읽기</source>
        <translation>Read back</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1410"/>
        <source>오프셋</source>
        <translation>Offset</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1415"/>
        <source>스케일</source>
        <translation>Scale</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1438"/>
        <source>운동 방향 설정</source>
        <translation>Directions</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1444"/>
        <source>X축:우-&gt;좌</source>
        <translation>X: R-&gt;L</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1449"/>
        <source>Y축:위-&gt;아래</source>
        <translation>Y: up-&gt;dn</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.ui" line="1454"/>
        <source>Z축:앞-&gt;뒤</source>
        <translation>Z: fr-&gt;bk</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.cpp" line="345"/>
        <source>질량을 변환할 수 없습니다. 다시 입력하세요</source>
        <translation>The mass is not a number. Please enter it again.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.cpp" line="368"/>
        <source>사용 할 수 없는 영역입니다</source>
        <translation>This filter level is not available.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.cpp" line="393"/>
        <source>[주의] 가상OS 또는 저사양 PC에서는 동작이 원활하지 않을 수 있습니다</source>
        <translation>[Note] On a virtual machine or a slow PC this may not run smoothly.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.cpp" line="458"/>
        <source>연결된 가속도계가 없습니다. 우측 상단의 포트모양의 아이콘을 눌러 연결하세요</source>
        <translation>No accelerometer is connected. Click the port icon at the top right to connect.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.cpp" line="500"/>
        <source>저장할 수 있는 Data가 없습니다</source>
        <translation>There is no data to save.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.cpp" line="601"/>
        <source>오프셋과 스케일을 가속도계에 기록하였습니다</source>
        <translation>The offsets and scales were written into the accelerometer.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.cpp" line="608"/>
        <source>측정 중에는 재생할 수 없습니다. 중지한 뒤 다시 하세요</source>
        <translation>A run is being measured: stop it, then replay.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.cpp" line="613"/>
        <source>가속도계와 연결되어 있습니다. 연결을 끊은 뒤 다시 재생하세요</source>
        <translation>The accelerometer is connected: disconnect it, then replay.</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.cpp" line="624"/>
        <source>기록 재생</source>
        <translation>Replay</translation>
    </message>
    <message>
        <location filename="../Tarvikmain.cpp" line="658"/>
        <source>기록 재생: %1</source>
        <translation>Replaying: %1</translation>
    </message>
</context>
<context>
    <name>TForm2</name>
    <message>
        <location filename="../Tarviknote.ui" line="9"/>
        <source>알림</source>
        <translation>Note</translation>
    </message>
    <message>
        <location filename="../Tarviknote.ui" line="21"/>
        <source>[속도 그래프 관찰및 기록 시작 전에 유의 할 사항]
  1) 가속도에 의한 속도 산출
      속도 = 현재의 가속도 x 간격(시간Tcur-Tpre) + 이전 속도
  2) 현재 가속도에서 속도 산출시 이전 속도가 참조 되므로
     속도 관찰 시작전에 ZevuzaRuziv를 정지 상태에 두어
     속도가 0인 상태에서 가동하여야 합니다.
[각도 관찰시 유의 사항]
  1) 각도 관찰은 중력 가속도를 이용하여 산출됩니다
       각도 = asin(센스의 중력가속도/ 표준 중력 가속도)
  2) 중력가속도외의 인위적인 가속도가 전달되면 
      이로 인한 오차가 발생합니다</source>
        <translation>[Before you observe and record velocity]
  1) Velocity from acceleration
      velocity = acceleration now x interval (Tcur-Tpre) + previous velocity
  2) Each velocity builds on the one before, so
     hold the ZevuzaRuziv still before you start:
     the run must begin at zero velocity.
[When you observe the angle]
  1) The angle is worked out from gravity
       angle = asin(gravity the sensor reads / standard gravity)
  2) Any acceleration other than gravity
      makes the angle wrong</translation>
    </message>
    <message>
        <location filename="../Tarviknote.ui" line="50"/>
        <source> 그만 보기</source>
        <translation> Don&apos;t show again</translation>
    </message>
    <message>
        <location filename="../Tarviknote.ui" line="56"/>
        <location filename="../Tarviknote.cpp" line="69"/>
        <source>확인</source>
        <translation>OK</translation>
    </message>
    <message>
        <location filename="../Tarviknote.cpp" line="40"/>
        <source>알림 파일 &quot;%1&quot;을(를) 읽을 수 없어 기본 안내문을 보여 줍니다.</source>
        <translation>The note file &quot;%1&quot; could not be read; the built-in note is shown.</translation>
    </message>
</context>
</TS>
