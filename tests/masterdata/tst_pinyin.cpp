#include "core/masterdata/Pinyin.h"

#include <QTest>

using namespace Qt::Literals::StringLiterals;
using pinyin::FullSyllables;
using pinyin::KeepAll;
using pinyin::MarkUnknown;

namespace {

// Goods names of a hardware shop and their codes, the initials checked by
// hand. Characters with several readings use the table's fixed one: 弹 tan,
// 刨 bao, 调 tiao, 长 zhang, 重 zhong, 行 hang, 藏 cang, 乐 le.
struct Word
{
    const char16_t *name;
    const char *code;
};
const Word kShopWords[] = {
    {u"螺丝", "LS"}, {u"扳手", "BS"}, {u"膨胀螺栓", "PZLS"}, {u"镀锌管", "DXG"}, {u"不锈钢合页", "BXGHY"},
    {u"电焊条", "DHT"}, {u"角磨机", "JMJ"}, {u"水龙头", "SLT"}, {u"钻头", "ZT"}, {u"铁钉", "TD"}, {u"胶带", "JD"},
    {u"电线", "DX"}, {u"开关", "KG"}, {u"插座", "CZ"}, {u"合页", "HY"}, {u"铰链", "JL"}, {u"螺母", "LM"},
    {u"垫片", "DP"}, {u"锁芯", "SX"}, {u"油漆", "YQ"}, {u"刷子", "SZ"}, {u"螺栓", "LS"}, {u"平垫", "PD"},
    {u"弹垫", "TD"}, {u"弹簧", "TH"}, {u"弹簧垫圈", "THDQ"}, {u"自攻螺丝", "ZGLS"}, {u"木螺丝", "MLS"},
    {u"钻尾螺丝", "ZWLS"}, {u"六角螺栓", "LJLS"}, {u"内六角扳手", "NLJBS"}, {u"活动扳手", "HDBS"}, {u"梅花扳手", "MHBS"},
    {u"套筒扳手", "TTBS"}, {u"扭力扳手", "NLBS"}, {u"管钳", "GQ"}, {u"老虎钳", "LHQ"}, {u"尖嘴钳", "JZQ"},
    {u"斜口钳", "XKQ"}, {u"剥线钳", "BXQ"}, {u"大力钳", "DLQ"}, {u"螺丝刀", "LSD"}, {u"十字螺丝刀", "SZLSD"},
    {u"一字螺丝刀", "YZLSD"}, {u"电笔", "DB"}, {u"试电笔", "SDB"}, {u"卷尺", "JC"}, {u"钢卷尺", "GJC"},
    {u"水平尺", "SPC"}, {u"角尺", "JC"}, {u"游标卡尺", "YBKC"}, {u"卡尺", "KC"}, {u"锤子", "CZ"}, {u"羊角锤", "YJC"},
    {u"橡胶锤", "XJC"}, {u"榔头", "LT"}, {u"手锯", "SJ"}, {u"钢锯", "GJ"}, {u"锯条", "JT"}, {u"木工锯", "MGJ"},
    {u"刨子", "BZ"}, {u"电刨", "DB"}, {u"凿子", "ZZ"}, {u"锉刀", "CD"}, {u"美工刀", "MGD"}, {u"刀片", "DP"},
    {u"剪刀", "JD"}, {u"铁皮剪", "TPJ"}, {u"电钻", "DZ"}, {u"冲击钻", "CJZ"}, {u"电锤", "DC"}, {u"手电钻", "SDZ"},
    {u"充电钻", "CDZ"}, {u"切割机", "QGJ"}, {u"切割片", "QGP"}, {u"砂轮片", "SLP"}, {u"砂纸", "SZ"}, {u"砂轮机", "SLJ"},
    {u"抛光片", "PGP"}, {u"焊机", "HJ"}, {u"电焊机", "DHJ"}, {u"焊丝", "HS"}, {u"焊锡丝", "HXS"}, {u"电烙铁", "DLT"},
    {u"热熔器", "RRQ"}, {u"热风枪", "RFQ"}, {u"胶枪", "JQ"}, {u"玻璃胶", "BLJ"}, {u"结构胶", "JGJ"}, {u"发泡胶", "FPJ"},
    {u"万能胶", "WNJ"}, {u"生料带", "SLD"}, {u"绝缘胶布", "JYJB"}, {u"电工胶布", "DGJB"}, {u"双面胶", "SMJ"},
    {u"透明胶带", "TMJD"}, {u"美纹纸", "MWZ"}, {u"扎带", "ZD"}, {u"尼龙扎带", "NLZD"}, {u"铁丝", "TS"},
    {u"钢丝绳", "GSS"}, {u"铁链", "TL"}, {u"挂钩", "GG"}, {u"吊钩", "DG"}, {u"卸扣", "XK"}, {u"膨胀管", "PZG"},
    {u"膨胀钉", "PZD"}, {u"水泥钉", "SND"}, {u"射钉", "SD"}, {u"气钉", "QD"}, {u"码钉", "MD"}, {u"铆钉", "MD"},
    {u"拉铆枪", "LMQ"}, {u"抽芯铆钉", "CXMD"}, {u"门锁", "MS"}, {u"挂锁", "GS"}, {u"球形锁", "QXS"}, {u"执手锁", "ZSS"},
    {u"抽屉锁", "CTS"}, {u"门把手", "MBS"}, {u"拉手", "LS"}, {u"门吸", "MX"}, {u"闭门器", "BMQ"}, {u"插销", "CX"},
    {u"门碰", "MP"}, {u"滑轮", "HL"}, {u"万向轮", "WXL"}, {u"脚轮", "JL"}, {u"导轨", "DG"}, {u"抽屉滑轨", "CTHG"},
    {u"阻尼铰链", "ZNJL"}, {u"角码", "JM"}, {u"层板托", "CBT"}, {u"水管", "SG"}, {u"镀锌管件", "DXGJ"}, {u"弯头", "WT"},
    {u"三通", "ST"}, {u"直接", "ZJ"}, {u"内丝弯头", "NSWT"}, {u"外丝直接", "WSZJ"}, {u"活接", "HJ"}, {u"堵头", "DT"},
    {u"管帽", "GM"}, {u"法兰", "FL"}, {u"阀门", "FM"}, {u"球阀", "QF"}, {u"闸阀", "ZF"}, {u"止回阀", "ZHF"},
    {u"角阀", "JF"}, {u"截止阀", "JZF"}, {u"减压阀", "JYF"}, {u"安全阀", "AQF"}, {u"浮球阀", "FQF"}, {u"地漏", "DL"},
    {u"下水管", "XSG"}, {u"软管", "RG"}, {u"编织软管", "BZRG"}, {u"花洒", "HS"}, {u"淋浴器", "LYQ"}, {u"面盆", "MP"},
    {u"龙头", "LT"}, {u"洗衣机龙头", "XYJLT"}, {u"拖把池", "TBC"}, {u"水箱", "SX"}, {u"马桶", "MT"},
    {u"卫浴五金", "WYWJ"}, {u"毛巾架", "MJJ"}, {u"置物架", "ZWJ"}, {u"浴室挂件", "YSGJ"}, {u"电缆", "DL"},
    {u"护套线", "HTX"}, {u"网线", "WX"}, {u"电源线", "DYX"}, {u"插头", "CT"}, {u"插排", "CP"}, {u"接线板", "JXB"},
    {u"断路器", "DLQ"}, {u"漏电保护器", "LDBHQ"}, {u"空气开关", "KQKG"}, {u"配电箱", "PDX"}, {u"开关面板", "KGMB"},
    {u"五孔插座", "WKCZ"}, {u"灯泡", "DP"}, {u"节能灯", "JND"}, {u"日光灯", "RGD"}, {u"灯管", "DG"}, {u"灯头", "DT"},
    {u"吸顶灯", "XDD"}, {u"射灯", "SD"}, {u"筒灯", "TD"}, {u"应急灯", "YJD"}, {u"手电筒", "SDT"}, {u"电池", "DC"},
    {u"干电池", "GDC"}, {u"线槽", "XC"}, {u"线管", "XG"}, {u"穿线管", "CXG"}, {u"接线端子", "JXDZ"},
    {u"电工工具", "DGGJ"}, {u"万用表", "WYB"}, {u"钳形表", "QXB"}, {u"测电笔", "CDB"}, {u"油漆刷", "YQS"},
    {u"滚筒刷", "GTS"}, {u"毛刷", "MS"}, {u"腻子粉", "NZF"}, {u"腻子刀", "NZD"}, {u"乳胶漆", "RJQ"}, {u"防锈漆", "FXQ"},
    {u"调和漆", "THQ"}, {u"稀释剂", "XSJ"}, {u"天那水", "TNS"}, {u"防水涂料", "FSTL"}, {u"石膏板", "SGB"},
    {u"龙骨", "LG"}, {u"铝合金", "LHJ"}, {u"不锈钢", "BXG"}, {u"镀锌板", "DXB"}, {u"角铁", "JT"}, {u"角钢", "JG"},
    {u"槽钢", "CG"}, {u"工字钢", "GZG"}, {u"圆钢", "YG"}, {u"钢筋", "GJ"}, {u"钢板", "GB"}, {u"铁板", "TB"},
    {u"铝板", "LB"}, {u"方管", "FG"}, {u"圆管", "YG"}, {u"铜管", "TG"}, {u"铁管", "TG"}, {u"铝管", "LG"},
    {u"钢管", "GG"}, {u"螺纹钢", "LWG"}, {u"丝杆", "SG"}, {u"螺杆", "LG"}, {u"通丝", "TS"}, {u"螺帽", "LM"},
    {u"蝶形螺母", "DXLM"}, {u"防松螺母", "FSLM"}, {u"法兰螺母", "FLLM"}, {u"盖形螺母", "GXLM"}, {u"吊环螺栓", "DHLS"},
    {u"地脚螺栓", "DJLS"}, {u"化学锚栓", "HXMS"}, {u"弹簧垫片", "THDP"}, {u"平垫片", "PDP"}, {u"止退垫片", "ZTDP"},
    {u"橡胶垫", "XJD"}, {u"密封圈", "MFQ"}, {u"O型圈", "OXQ"}, {u"油封", "YF"}, {u"轴承", "ZC"}, {u"皮带", "PD"},
    {u"链条", "LT"}, {u"齿轮", "CL"}, {u"手套", "ST"}, {u"劳保手套", "LBST"}, {u"安全帽", "AQM"}, {u"护目镜", "HMJ"},
    {u"口罩", "KZ"}, {u"工作服", "GZF"}, {u"雨衣", "YY"}, {u"雨鞋", "YX"}, {u"梯子", "TZ"}, {u"人字梯", "RZT"},
    {u"铝合金梯", "LHJT"}, {u"工具箱", "GJX"}, {u"工具包", "GJB"}, {u"收纳盒", "SNH"}, {u"推车", "TC"},
    {u"手推车", "STC"}, {u"搬运车", "BYC"}, {u"千斤顶", "QJD"}, {u"葫芦", "HL"}, {u"手拉葫芦", "SLHL"}, {u"绳子", "SZ"},
    {u"尼龙绳", "NLS"}, {u"麻绳", "MS"}, {u"篷布", "PB"}, {u"防水布", "FSB"}, {u"编织袋", "BZD"}, {u"塑料袋", "SLD"},
    {u"垃圾袋", "LJD"}, {u"扫把", "SB"}, {u"拖把", "TB"}, {u"水桶", "ST"}, {u"簸箕", "BJ"}, {u"抹布", "MB"},
    {u"抹刀", "MD"}, {u"泥刀", "ND"}, {u"瓦刀", "WD"}, {u"灰桶", "HT"}, {u"铁锹", "TQ"}, {u"铁铲", "TC"},
    {u"锄头", "CT"}, {u"镐头", "GT"}, {u"斧头", "FT"}, {u"柴刀", "CD"}, {u"园林剪", "YLJ"}, {u"喷壶", "PH"},
    {u"喷枪", "PQ"}, {u"气管", "QG"}, {u"气泵", "QB"}, {u"空压机", "KYJ"}, {u"高压水枪", "GYSQ"}, {u"长柄刷", "ZBS"},
    {u"长螺杆", "ZLG"}, {u"加长钻头", "JZZT"}, {u"重型货架", "ZXHJ"}, {u"五金行", "WJH"}, {u"银行卡", "YHK"},
    {u"藏青色", "CQS"}, {u"乐器", "LQ"}, {u"调节阀", "TJF"}, {u"调速开关", "TSKG"}, {u"磁铁", "CT"}, {u"吸盘", "XP"},
    {u"挂钩贴", "GGT"}, {u"防滑垫", "FHD"}, {u"地板胶", "DBJ"}, {u"墙纸", "QZ"}, {u"瓷砖胶", "CZJ"}, {u"美缝剂", "MFJ"},
    {u"勾缝剂", "GFJ"}, {u"水泥", "SN"}, {u"白水泥", "BSN"}, {u"沙子", "SZ"}, {u"石灰", "SH"}, {u"防水胶带", "FSJD"},
    {u"铝箔胶带", "LBJD"}, {u"保温棉", "BWM"}, {u"隔音棉", "GYM"}, {u"密封条", "MFT"}, {u"门窗密封条", "MCMFT"},
    {u"纱窗", "SC"}, {u"窗帘杆", "CLG"}, {u"窗锁", "CS"}, {u"合页螺丝", "HYLS"}, {u"焊条", "HT"},
    {u"不锈钢焊条", "BXGHT"}, {u"钻头套装", "ZTTZ"}, {u"麻花钻", "MHZ"}, {u"开孔器", "KKQ"}, {u"批头", "PT"},
    {u"套筒", "TT"}, {u"砂带", "SD"}, {u"百叶片", "BYP"}, {u"云石片", "YSP"}, {u"金刚石锯片", "JGSJP"},
    {u"圆锯片", "YJP"}, {u"钢丝刷", "GSS"}, {u"钢丝轮", "GSL"},
};

} // namespace

class TestPinyin : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void convert_data();
    void convert();
    void cutAtMaximumLength_data();
    void cutAtMaximumLength();
    void shopWords();
    void fixedReadings_data();
    void fixedReadings();
    void coverage();
};

void TestPinyin::convert_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("options");
    QTest::addColumn<QString>("code");

    const int shop = KeepAll;                        // the goods catalogue's options
    const int all = FullSyllables | MarkUnknown | KeepAll;

    QTest::newRow("empty") << QString() << shop << QString();
    QTest::newRow("M8螺丝") << u"M8螺丝"_s << shop << u"M8LS"_s;
    QTest::newRow("spaces and * kept") << u"不锈钢螺丝 M6*20"_s << shop << u"BXGLS M6*20"_s;
    QTest::newRow("full syllables, letters and digits only")
        << u"不锈钢螺丝 M6*20"_s << int(FullSyllables) << u"BUXIUGANGLUOSIM620"_s;
    QTest::newRow("full syllables, keep all")
        << u"不锈钢螺丝 M6*20"_s << (FullSyllables | KeepAll) << u"BUXIUGANGLUOSI M6*20"_s;
    QTest::newRow("ascii lowercase to capitals") << u"abc-1"_s << shop << u"ABC-1"_s;
    QTest::newRow("ascii punctuation dropped") << u"a.b-c/d 1"_s << 0 << u"ABCD1"_s;
    QTest::newRow("negative options") << u"螺丝"_s << -1 << QString();
    QTest::newRow("bits above keep all ignored") << u"螺丝 a"_s << (8 | KeepAll) << u"LS A"_s;

    // enumerated symbols give their number, with or without keep all
    QTest::newRow("Ⅲ号钢管") << u"Ⅲ号钢管"_s << shop << u"3HGG"_s;
    QTest::newRow("small roman") << u"ⅰⅹ"_s << 0 << u"110"_s;
    QTest::newRow("roman Ⅰ Ⅻ") << u"ⅠⅫ"_s << 0 << u"112"_s;
    QTest::newRow("full stop numbers") << u"⒈⒛"_s << 0 << u"120"_s;
    QTest::newRow("parenthesized") << u"⑴⒇"_s << 0 << u"120"_s;
    QTest::newRow("circled") << u"①⑩"_s << 0 << u"110"_s;
    QTest::newRow("parenthesized ideographs") << u"㈠㈩"_s << 0 << u"110"_s;
    QTest::newRow("numbers not full syllables") << u"③"_s << all << u"3"_s;
    QTest::newRow("circled 20 is not GBK") << u"⑳"_s << all << u"?"_s;

    // Greek: capitals and small letters alike, always the whole transliteration
    QTest::newRow("α型") << u"α型"_s << shop << u"AX"_s;
    QTest::newRow("θ gives TH") << u"θΘ"_s << 0 << u"THTH"_s;
    QTest::newRow("Greek tail") << u"φχψω"_s << 0 << u"PHKHPSO"_s;
    QTest::newRow("Greek eta epsilon") << u"Ηε"_s << 0 << u"EE"_s;
    QTest::newRow("Greek full syllables") << u"Ω型"_s << all << u"OXING"_s;
    QTest::newRow("vertical bracket in Greek row") << u"︵"_s << all << u"?"_s;

    // full-width ASCII keeps its case
    QTest::newRow("ＡＢｃ１２") << u"ＡＢｃ１２"_s << shop << u"ABc12"_s;
    QTest::newRow("full-width punctuation kept") << u"（Ｍ８）"_s << shop << u"(M8)"_s;
    QTest::newRow("full-width punctuation dropped") << u"（Ｍ８）"_s << 0 << u"M8"_s;
    QTest::newRow("full-width yuan sign") << u"￥5"_s << shop << u"$5"_s;

    // characters without a reading
    QTest::newRow("box drawing dropped") << u"─螺丝┐"_s << shop << u"LS"_s;
    QTest::newRow("box drawing marked") << u"─螺丝┐"_s << (MarkUnknown | KeepAll) << u"?LS?"_s;
    QTest::newRow("ideographic space dropped") << u"钢管　50"_s << shop << u"GG50"_s;
    QTest::newRow("chinese punctuation marked") << u"螺丝、。"_s << int(MarkUnknown) << u"LS??"_s;
    QTest::newRow("full-width comma is full-width ASCII") << u"螺丝，"_s << shop << u"LS,"_s;
    QTest::newRow("kana") << u"ネジ"_s << int(MarkUnknown) << u"??"_s;
    QTest::newRow("not in GBK: é") << u"é"_s << all << u"?"_s;
    QTest::newRow("not in GBK: emoji is one character") << u"😀锤"_s << int(MarkUnknown) << u"?C"_s;
    QTest::newRow("ideograph without reading") << u"兙"_s << int(MarkUnknown) << u"?"_s;
    QTest::newRow("compatibility ideograph reads as its twin") << u"\uF92C"_s << 0 << u"L"_s;
    // A broken double-byte code cannot occur in Unicode text; its counterpart,
    // an unpaired surrogate, is a character without a reading.
    QTest::newRow("lone surrogate at end, shop") << (u"螺"_s + QChar(0xD800)) << shop << u"L"_s;
    QTest::newRow("lone surrogate at end, marked") << (u"螺"_s + QChar(0xD800)) << all << u"LUO?"_s;
    QTest::newRow("lone low surrogate") << (QChar(0xDC00) + u"a"_s) << int(MarkUnknown) << u"?A"_s;

    // the euro sign is GBK's one single byte above ASCII: kept like punctuation
    QTest::newRow("euro kept") << u"€5"_s << shop << u"€5"_s;
    QTest::newRow("euro dropped") << u"€5"_s << int(MarkUnknown) << u"5"_s;

    QTest::newRow("ü as v") << u"绿铝女略"_s << int(FullSyllables) << u"LVLVNVLVE"_s;
    QTest::newRow("syllables of six letters") << u"装床"_s << int(FullSyllables) << u"ZHUANGCHUANG"_s;
}

void TestPinyin::convert()
{
    QFETCH(QString, text);
    QFETCH(int, options);
    QFETCH(QString, code);
    QCOMPARE(pinyin::convert(text, options, 255), code);
}

void TestPinyin::cutAtMaximumLength_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("options");
    QTest::addColumn<int>("maxLength");
    QTest::addColumn<QString>("code");

    const QString longName = QString(300, QChar(u'螺'));
    QTest::newRow("300 characters to 255") << longName << int(KeepAll) << 255 << QString(255, u'L');
    QTest::newRow("exactly 255") << QString(255, u'x') << int(KeepAll) << 255 << QString(255, u'X');
    QTest::newRow("inside a syllable") << u"螺丝"_s << int(FullSyllables) << 5 << u"LUOSI"_s;
    QTest::newRow("inside a syllable, 3") << u"螺丝"_s << int(FullSyllables) << 3 << u"LUO"_s;
    QTest::newRow("inside a number") << u"⑽"_s << 0 << 1 << u"1"_s;
    QTest::newRow("zero") << u"螺丝"_s << 0 << 0 << QString();
    QTest::newRow("negative") << u"螺丝"_s << 0 << -5 << QString();
    QTest::newRow("longer than needed") << u"螺丝"_s << 0 << 100 << u"LS"_s;
}

void TestPinyin::cutAtMaximumLength()
{
    QFETCH(QString, text);
    QFETCH(int, options);
    QFETCH(int, maxLength);
    QFETCH(QString, code);
    QCOMPARE(pinyin::convert(text, options, maxLength), code);
}

void TestPinyin::shopWords()
{
    // goodsCode() is what the catalogue uses; check every word and report all misses at once
    QStringList wrong;
    for (const Word &w : kShopWords) {
        const QString name = QString::fromUtf16(w.name);
        const QString got = pinyin::goodsCode(name);
        if (got != QLatin1StringView(w.code))
            wrong << name + u" -> "_s + got + u" (expected "_s + QLatin1StringView(w.code) + u')';
    }
    QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(u"; ")));
    QVERIFY(std::size(kShopWords) >= 300);
    QCOMPARE(pinyin::goodsCode(u"不锈钢螺丝 M6*20"), u"BXGLS M6*20"_s);
}

void TestPinyin::fixedReadings_data()
{
    QTest::addColumn<QString>("character");
    QTest::addColumn<QString>("syllable");
    QTest::newRow("重") << u"重"_s << u"zhong"_s;
    QTest::newRow("长") << u"长"_s << u"zhang"_s;
    QTest::newRow("行") << u"行"_s << u"hang"_s;
    QTest::newRow("藏") << u"藏"_s << u"cang"_s;
    QTest::newRow("乐") << u"乐"_s << u"le"_s;
    QTest::newRow("弹") << u"弹"_s << u"tan"_s;
    QTest::newRow("刨") << u"刨"_s << u"bao"_s;
    QTest::newRow("调") << u"调"_s << u"tiao"_s;
    QTest::newRow("長 like 长") << u"長"_s << u"zhang"_s;
    QTest::newRow("彈 like 弹") << u"彈"_s << u"tan"_s;
    QTest::newRow("調 like 调") << u"調"_s << u"tiao"_s;
    QTest::newRow("樂 like 乐") << u"樂"_s << u"le"_s;
    QTest::newRow("〇 has none") << u"〇"_s << QString();
    QTest::newRow("ASCII has none") << u"a"_s << QString();
}

void TestPinyin::fixedReadings()
{
    QFETCH(QString, character);
    QFETCH(QString, syllable);
    QCOMPARE(QString(pinyin::reading(character.at(0).unicode())), syllable);
}

void TestPinyin::coverage()
{
    int readable = 0;
    int inCjkBlock = 0;
    for (char32_t c = 0; c <= 0x10FFFF; ++c) {
        const QLatin1StringView s = pinyin::reading(c);
        if (s.isEmpty())
            continue;
        ++readable;
        inCjkBlock += c >= 0x4E00 && c <= 0x9FA5;
        QVERIFY2(s.size() <= 6, s.data());
    }
    // every GBK character with a Mandarin reading in the Unihan data
    QCOMPARE(readable, 20901);
    QCOMPARE(pinyin::readableCount(), readable);
    // the whole unified block of GBK but ten unit and Japanese-made ideographs (兙, 桛, 瓩 …)
    QCOMPARE(inCjkBlock, 20892);
}

QTEST_GUILESS_MAIN(TestPinyin)
#include "tst_pinyin.moc"
