<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CommandLine</name>
    <message>
        <source>写入标准输出失败：%1</source>
        <translation>Writing to standard output failed: %1</translation>
    </message>
    <message>
        <source>原因不明</source>
        <translation>unknown reason</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <comment>a file, then what went wrong in it</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>a file with the option that named it</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>样品的 CSV 文件（名称、读数、稀释倍数……），取代 .lumetra 文件中的样品。</source>
        <translation>CSV file of samples (name, readings, dilution factor, ...); replaces the samples in the .lumetra file.</translation>
    </message>
    <message>
        <source>空白的 CSV 文件：每行一个空白的读数，加入样品列表。</source>
        <translation>CSV file of blanks: one blank reading per line, added to the sample list.</translation>
    </message>
    <message>
        <source>以 JSON 输出，键与制表符报告相同。</source>
        <translation>Output JSON, with the same keys as the tab-separated report.</translation>
    </message>
    <message>
        <source>校准模型：line（直线）、origin（过原点）或 quadratic（二次）。</source>
        <translation>Calibration model: line, origin (through the origin) or quadratic (second order).</translation>
    </message>
    <message>
        <source>权重：none、1/x、1/x2、1/y、1/y2 或 1/s2。</source>
        <translation>Weighting: none, 1/x, 1/x2, 1/y, 1/y2 or 1/s2.</translation>
    </message>
    <message>
        <source>排除的标准点（从1起的序号，逗号分隔），取代文件中的排除。</source>
        <translation>Standards to exclude (numbers from 1, comma-separated); replaces the exclusions in the file.</translation>
    </message>
    <message>
        <source>置信水平：95 或 99。</source>
        <translation>Confidence level: 95 or 99.</translation>
    </message>
    <message>
        <source>DIN 32645 的 α：0.05 或 0.01。</source>
        <translation>α of DIN 32645: 0.05 or 0.01.</translation>
    </message>
    <message>
        <source>DIN 32645 定量限的 k（1到10）。</source>
        <translation>k of the DIN 32645 limit of quantification (1 to 10).</translation>
    </message>
    <message>
        <source>每个样品的读数次数 m（1到100）。</source>
        <translation>Number of readings m per sample (1 to 100).</translation>
    </message>
    <message>
        <source>报告检出限：lod、xd 或 mdl。</source>
        <translation>Reported limit of detection: lod, xd or mdl.</translation>
    </message>
    <message>
        <source>结果单位，例如 mg/L。</source>
        <translation>Reporting unit, e.g. mg/L.</translation>
    </message>
    <message>
        <source>结果的有效数字位数（1到15）。</source>
        <translation>Significant figures of the results (1 to 15).</translation>
    </message>
    <message>
        <source>结果的小数位数（0到15）。</source>
        <translation>Decimal places of the results (0 to 15).</translation>
    </message>
    <message>
        <source>空白校正：标准点减去零浓度标准点的平均吸光度，样品减去空白的平均吸光度。</source>
        <translation>Blank correction: the mean absorbance of the zero standards is subtracted from the standards, the mean absorbance of the blanks from the samples.</translation>
    </message>
    <message>
        <source>把报告写成 PDF 文件（与窗口的“导出PDF…”相同，含各输入文件的 SHA-256），不输出到标准输出。</source>
        <translation>Write the report as a PDF file (as “Export PDF...” in the window, with the SHA-256 of each input file) instead of standard output.</translation>
    </message>
    <message>
        <source>PDF 报告附修改记录（与 --pdf 同用）。</source>
        <translation>Append the change history to the PDF report (with --pdf).</translation>
    </message>
    <message>
        <source>帮助和消息的语言：zh（中文）或 en（英文）；不给时用窗口中选定的语言。</source>
        <translation>Language of the help and the messages: zh (Chinese) or en (English); without it, the language chosen in the window.</translation>
    </message>
    <message>
        <source>--%1 的值“%2”无效，应为 %3</source>
        <translation>Invalid value “%2” for --%1: expected %3</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the values an option accepts</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>--%1 的值“%2”无效，应为%3到%4之间的整数</source>
        <translation>Invalid value “%2” for --%1: expected a whole number from %3 to %4</translation>
    </message>
    <message>
        <source>--%1 的值“%2”无效，应为%3到%4之间的数</source>
        <translation>Invalid value “%2” for --%1: expected a number from %3 to %4</translation>
    </message>
    <message>
        <source>--exclude 的“%1”无效，应为1到%2之间的标准点序号</source>
        <translation>Invalid standard “%1” for --exclude: expected a number from 1 to %2</translation>
    </message>
    <message>
        <source>命令行排除</source>
        <translation>set on the command line</translation>
    </message>
    <message>
        <source>--pdf 需要在图形应用中运行</source>
        <translation>--pdf needs a graphical application</translation>
    </message>
    <message>
        <source>PDF导出失败：%1</source>
        <translation>PDF export failed: %1</translation>
    </message>
    <message>
        <source>--pdf 和 --json 只能选一个</source>
        <translation>Use only one of --pdf and --json</translation>
    </message>
    <message>
        <source>--history 只用于 --pdf</source>
        <translation>--history is only for --pdf</translation>
    </message>
    <message>
        <source>空白 %1</source>
        <translation>Blank %1</translation>
    </message>
    <message>
        <source>命令：report</source>
        <translation>Command: report</translation>
    </message>
    <message>
        <source>标准曲线文件</source>
        <translation>Calibration file</translation>
    </message>
    <message>
        <source>--%1 需要一个值（%2）</source>
        <translation>--%1 needs a value (%2)</translation>
    </message>
    <message>
        <source>缺少命令（用法：lumetra report FILE）</source>
        <translation>Missing command (usage: lumetra report FILE)</translation>
    </message>
    <message>
        <source>未知的命令“%1”（用法：lumetra report FILE）</source>
        <translation>Unknown command “%1” (usage: lumetra report FILE)</translation>
    </message>
    <message>
        <source>report 需要一个文件（用法：lumetra report FILE）</source>
        <translation>report needs a file (usage: lumetra report FILE)</translation>
    </message>
    <message>
        <source>多余的参数“%1”</source>
        <translation>Unexpected argument “%1”</translation>
    </message>
    <message>
        <source>修约切换值 T（大于0）：结果低于 T 时按 --decimals 的小数位数，不低于 T 时按 --digits 的有效数字；须同时给出这两项。</source>
        <translation>Rounding switch T (above 0): results below T get the decimal places of --decimals, from T on the significant figures of --digits; both must be given.</translation>
    </message>
    <message>
        <source>低于检出限时：nd（未检出）、lt（&lt;检出限）或 L（检出限后加L）。</source>
        <translation>Below the limit of detection: nd (not detected), lt (&lt;LOD) or L (the limit followed by L).</translation>
    </message>
    <message>
        <source>空白的平均吸光度（校正前）上限，0到10；不给时不判定。</source>
        <translation>Maximum mean absorbance of a blank (before correction), 0 to 10; not judged when not given.</translation>
    </message>
    <message>
        <source>先应用此方法文件（.lumetra-method）的设置，再应用其他选项。</source>
        <translation>Applies the settings of this method file (.lumetra-method) first, then the other options.</translation>
    </message>
    <message>
        <source>有质控规则未通过或未判定时退出码为3。</source>
        <translation>Exit code 3 when a QC rule fails or cannot be judged.</translation>
    </message>
    <message>
        <source>--switch-at 需要同时给出 --decimals 和 --digits</source>
        <translation>--switch-at needs both --decimals and --digits</translation>
    </message>
    <message>
        <source>--digits 和 --decimals 只能选一个（除非给出 --switch-at）</source>
        <translation>Use only one of --digits and --decimals (unless --switch-at is given)</translation>
    </message>
    <message>
        <source>--switch-at 的值“%1”无效，应为大于0的数</source>
        <translation>Invalid value “%1” for --switch-at: expected a number above 0</translation>
    </message>
    <message>
        <source>Lumetra：光度分析标准曲线计算器。不带参数时打开窗口；lumetra FILE 在窗口中打开文件。

report FILE   输出标准曲线的统计量、验证、各标准点和样品的报告（制表符分隔）。
              FILE 为 .lumetra 标准曲线文件，或两列（浓度、吸光度）的 CSV 文件。
              带 --pdf OUT.pdf 时写出可归档的 PDF 报告（无需显示器）。

退出码：0 成功（质控未通过也是0，见 --strict）；1 无法拟合或斜率为0；
2 其他错误（用法、文件、数值）；3 使用 --strict 且有质控规则未通过或未判定。</source>
        <translation>Lumetra: calibration curve calculator for photometric analysis. Without arguments it opens the window; lumetra FILE opens FILE in the window.

report FILE   Writes a report of the calibration curve: statistics, validation, standards and samples (tab-separated).
              FILE is a .lumetra calibration file, or a CSV file of two columns (concentration, absorbance).
              With --pdf OUT.pdf it writes a PDF report for the records (no display needed).

Exit codes: 0 success (also when QC fails, see --strict); 1 the curve cannot be fitted or its slope is 0;
2 other errors (usage, files, values); 3 --strict given and a QC rule failed or could not be judged.</translation>
    </message>
    <message>
        <source>取样量 V（不小于2.2250738585072014e-308的正数）：结果 = x0·稀释倍数·f/V。</source>
        <translation>Sample volume V (a positive number of at least 2.2250738585072014e-308): result = x0·dilution factor·f/V.</translation>
    </message>
    <message>
        <source>换算系数 f（不小于2.2250738585072014e-308的正数）。</source>
        <translation>Conversion factor f (a positive number of at least 2.2250738585072014e-308).</translation>
    </message>
    <message>
        <source>--%1 的文件 %2 是输入文件（%3），不能覆盖</source>
        <translation>--%1 names %2, an input file (%3): it is not overwritten</translation>
    </message>
    <message>
        <source>PDF不能写到标准输出</source>
        <translation>a PDF cannot be written to standard output</translation>
    </message>
    <message>
        <source>--v0 和 --c-std 须同时给出</source>
        <translation>--v0 and --c-std must be given together</translation>
    </message>
    <message>
        <source>--%1 的值“%2”无效，应为大于0的数</source>
        <translation>Invalid value “%2” for --%1: expected a number above 0</translation>
    </message>
    <message>
        <source>内标法只用于外标校准，不能与标准加入同用</source>
        <translation>The internal standard is for external calibration only, not with standard addition</translation>
    </message>
    <message>
        <source>标准点有内标响应，请给出 --internal-standard</source>
        <translation>the standards have internal-standard responses: give --internal-standard</translation>
    </message>
    <message>
        <source>按此质控数据库中冻结的质控图判断质控点（sqlite:文件 或 postgresql://用户@主机:端口/数据库）；不给时用 LUMETRA_DATABASE，两者都没有则不判断。</source>
        <translation>Judge the QC points against the frozen control charts of this QC database (sqlite:FILE or postgresql://user@host:port/database); without it LUMETRA_DATABASE, with neither nothing is judged.</translation>
    </message>
    <message>
        <source>校准方式：external（外标）或 addition（标准加入：标准点是加入已知量的样品本身，结果由直线外推到浓度轴得到）。</source>
        <translation>Calibration type: external or addition (standard addition: the standards are the sample itself with known amounts added, the result the line extrapolated to the concentration axis).</translation>
    </message>
    <message>
        <source>不定容的标准加入：样品体积 V0（须同时给出 --c-std）；标准点文件的第一列是加入体积（与 V0 同一单位），第二列是信号。</source>
        <translation>Standard addition without dilution to a mark: the sample volume V0 (with --c-std); the standards file&apos;s first column is the volume added (in V0&apos;s unit), the second the signal.</translation>
    </message>
    <message>
        <source>不定容的标准加入：加入的标准溶液的浓度（须同时给出 --v0）。</source>
        <translation>Standard addition without dilution to a mark: the concentration of the standard added (with --v0).</translation>
    </message>
    <message>
        <source>内标法：按响应比 A/A内标 拟合；标准点和样品文件须有 is 列（内标响应，可有 c_is 列：内标浓度）。</source>
        <translation>Internal standard: fit the response ratio A/A_IS; the standards and samples files need an is column (the internal standard&apos;s response, and optionally c_is: its concentration).</translation>
    </message>
    <message>
        <source>无法加载 PDF 模块（%1）</source>
        <translation>Cannot load the PDF module (%1)</translation>
    </message>
    <message>
        <source>无法加载窗口模块（%1）</source>
        <translation>Cannot load the windows module (%1)</translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>无法加载导出模块（%1）</source>
        <translation>Cannot load the export module (%1)</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>浓度 1</source>
        <translation>Concentration 1</translation>
    </message>
    <message>
        <source>浓度 2</source>
        <translation>Concentration 2</translation>
    </message>
    <message>
        <source>浓度 3</source>
        <translation>Concentration 3</translation>
    </message>
    <message>
        <source>浓度 4</source>
        <translation>Concentration 4</translation>
    </message>
    <message>
        <source>浓度 5</source>
        <translation>Concentration 5</translation>
    </message>
    <message>
        <source>浓度 6</source>
        <translation>Concentration 6</translation>
    </message>
    <message>
        <source>浓度 7</source>
        <translation>Concentration 7</translation>
    </message>
    <message>
        <source>浓度 8</source>
        <translation>Concentration 8</translation>
    </message>
    <message>
        <source>浓度 9</source>
        <translation>Concentration 9</translation>
    </message>
    <message>
        <source>浓度 10</source>
        <translation>Concentration 10</translation>
    </message>
    <message>
        <source>吸光度 1</source>
        <translation>Absorbance 1</translation>
    </message>
    <message>
        <source>吸光度 2</source>
        <translation>Absorbance 2</translation>
    </message>
    <message>
        <source>吸光度 3</source>
        <translation>Absorbance 3</translation>
    </message>
    <message>
        <source>吸光度 4</source>
        <translation>Absorbance 4</translation>
    </message>
    <message>
        <source>吸光度 5</source>
        <translation>Absorbance 5</translation>
    </message>
    <message>
        <source>吸光度 6</source>
        <translation>Absorbance 6</translation>
    </message>
    <message>
        <source>吸光度 7</source>
        <translation>Absorbance 7</translation>
    </message>
    <message>
        <source>吸光度 8</source>
        <translation>Absorbance 8</translation>
    </message>
    <message>
        <source>吸光度 9</source>
        <translation>Absorbance 9</translation>
    </message>
    <message>
        <source>吸光度 10</source>
        <translation>Absorbance 10</translation>
    </message>
    <message>
        <source>请输入下列二个参数</source>
        <translation>Enter these two parameters</translation>
    </message>
    <message>
        <source>测点个数(2-10)---</source>
        <translation>Points (2-10)---</translation>
    </message>
    <message>
        <source>测点个数</source>
        <translation>Number of points</translation>
    </message>
    <message>
        <source>C(x)单位(选择)---</source>
        <translation>C(x) unit (pick)---</translation>
    </message>
    <message>
        <source>浓度单位</source>
        <translation>Concentration unit</translation>
    </message>
    <message>
        <source>测点个数及浓度单位输入完毕</source>
        <translation>Points and unit entered</translation>
    </message>
    <message>
        <source>Lumetra结果：</source>
        <translation>Lumetra results:</translation>
    </message>
    <message>
        <source>相关系数r--</source>
        <translation>Corr. r--</translation>
    </message>
    <message>
        <source>相关系数r</source>
        <translation>Correlation coefficient r</translation>
    </message>
    <message>
        <source>线性范围</source>
        <translation>Linear range</translation>
    </message>
    <message>
        <source>C(最高)</source>
        <translation>C(max)</translation>
    </message>
    <message>
        <source>A(最高)</source>
        <translation>A(max)</translation>
    </message>
    <message>
        <source>样品浓度计算</source>
        <translation>Sample concentration</translation>
    </message>
    <message>
        <source>请输入A</source>
        <translation>Enter A</translation>
    </message>
    <message>
        <source>样品吸光度</source>
        <translation>Sample absorbance</translation>
    </message>
    <message>
        <source>样品浓度C为:</source>
        <translation>Sample C:</translation>
    </message>
    <message>
        <source>样品浓度</source>
        <translation>Sample concentration</translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>计算样品浓度</source>
        <translation>Calculate sample concentration</translation>
    </message>
    <message>
        <source>清零</source>
        <translation>Clear</translation>
    </message>
    <message>
        <source>清零样品</source>
        <translation>Clear sample</translation>
    </message>
    <message>
        <source>小数点</source>
        <translation>Decimal point</translation>
    </message>
    <message>
        <source>退格</source>
        <translation>Bksp</translation>
    </message>
    <message>
        <source>计算标准曲线</source>
        <translation>Calculate calibration curve</translation>
    </message>
    <message>
        <source>清零数据表</source>
        <translation>Clear data table</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>返回封面</source>
        <translation>Back to cover</translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>我的野蛮女友，漂亮不漂亮</source>
        <translation>My Sassy Girl: pretty?</translation>
    </message>
    <message>
        <source>运行程序</source>
        <translation>Run</translation>
    </message>
    <message>
        <source>退出程序</source>
        <translation>Exit</translation>
    </message>
</context>
<context>
    <name>Plot</name>
    <message>
        <source>标准曲线</source>
        <translation>Calibration curve</translation>
    </message>
    <message>
        <source>不支持的文件类型（请使用 .png 或 .svg）</source>
        <translation>Unsupported file type (use .png or .svg)</translation>
    </message>
    <message>
        <source>尚未计算标准曲线</source>
        <translation>no calibration curve calculated yet</translation>
    </message>
    <message>
        <source>无法生成PNG图像</source>
        <translation>Cannot create the PNG image</translation>
    </message>
    <message>
        <source>标准点</source>
        <translation>Standards</translation>
    </message>
    <message>
        <source>排除的标准点</source>
        <translation>Excluded standards</translation>
    </message>
    <message>
        <source>拟合直线</source>
        <translation>Fitted line</translation>
    </message>
    <message>
        <source>拟合曲线</source>
        <translation>Fitted curve</translation>
    </message>
    <message>
        <source>置信带</source>
        <translation>Confidence band</translation>
    </message>
    <message>
        <source>预测带</source>
        <translation>Prediction band</translation>
    </message>
    <message>
        <source>校准范围</source>
        <translation>Calibrated range</translation>
    </message>
    <message>
        <source>样品</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>有标记的样品</source>
        <translation>Flagged samples</translation>
    </message>
    <message>
        <source>残差</source>
        <translation>Residual</translation>
    </message>
    <message>
        <source>吸光度 A</source>
        <translation>Absorbance A</translation>
    </message>
    <message>
        <source>加权残差 √w·(A − Â)</source>
        <translation>Weighted residual √w·(A − Â)</translation>
    </message>
    <message>
        <source>浓度 C</source>
        <translation>Concentration C</translation>
    </message>
    <message>
        <source>浓度 C (%1)</source>
        <translation>Concentration C (%1)</translation>
    </message>
    <message>
        <source>不支持的文件类型（请使用 .png、.svg 或 .pdf）</source>
        <translation>Unsupported file type (use .png, .svg or .pdf)</translation>
    </message>
    <message>
        <source>没有可导出的质控图</source>
        <translation>There is no control chart to export</translation>
    </message>
    <message>
        <source>中心线</source>
        <translation>Centre line</translation>
    </message>
    <message>
        <source>警告限 +2s</source>
        <translation>Warning limit +2s</translation>
    </message>
    <message>
        <source>警告限 ±2s</source>
        <translation>Warning limits ±2s</translation>
    </message>
    <message>
        <source>控制限 +3s</source>
        <translation>Action limit +3s</translation>
    </message>
    <message>
        <source>控制限 ±3s</source>
        <translation>Action limits ±3s</translation>
    </message>
    <message>
        <source>参考期</source>
        <translation>Reference period</translation>
    </message>
    <message>
        <source>违反规则</source>
        <translation>Rule violated</translation>
    </message>
    <message>
        <source>响应比 A/A内标</source>
        <translation>Response ratio A/A_IS</translation>
    </message>
    <message>
        <source>校正吸光度</source>
        <translation>Corrected absorbance</translation>
    </message>
</context>
<context>
    <name>QcCommand</name>
    <message>
        <source>分析项目（未用方法文件归档的批次）。</source>
        <translation>The analyte (batches filed without a method file).</translation>
    </message>
    <message>
        <source>质控序列：check:标称浓度、reference:名称、spike、duplicate、blank、slope 或 intercept。</source>
        <translation>The QC series: check:NOMINAL, reference:NAME, spike, duplicate, blank, slope or intercept.</translation>
    </message>
    <message>
        <source>判断规则：gb（GB/T 17989.2，默认）或 westgard。</source>
        <translation>The rules: gb (GB/T 17989.2, the default) or westgard.</translation>
    </message>
    <message>
        <source>σ估计：sd（标准偏差，默认）或 mr（移动极差）。</source>
        <translation>The estimate of σ: sd (standard deviation, the default) or mr (moving range).</translation>
    </message>
    <message>
        <source>参考期：前N个点（默认20，至少7），或日期范围 2026-01-01..2026-03-31。</source>
        <translation>The reference period: the first N points (20 by default, at least 7), or a range of days 2026-01-01..2026-03-31.</translation>
    </message>
    <message>
        <source>不用冻结的控制限，按参考期重新计算（chart）。</source>
        <translation>Ignore frozen limits and compute them from the reference period (chart).</translation>
    </message>
    <message>
        <source>以 JSON 输出。</source>
        <translation>Output as JSON.</translation>
    </message>
    <message>
        <source>质控数据库：sqlite:文件 或 postgresql://用户@主机:端口/数据库；不给时用 LUMETRA_DATABASE、设置中的质控数据库或本机的默认文件。</source>
        <translation>The QC database: sqlite:FILE or postgresql://user@host:port/database; without it LUMETRA_DATABASE, the QC database of the settings or this workstation&apos;s default file.</translation>
    </message>
    <message>
        <source>帮助和消息的语言：zh 或 en。</source>
        <translation>The language of the help and the messages: zh or en.</translation>
    </message>
    <message>
        <source>质控数据库 %1 不存在（尚未归档任何批次，或文件名有误）</source>
        <translation>The QC database %1 does not exist (no batch has been filed yet, or the file name is wrong)</translation>
    </message>
    <message>
        <source>需要 --method 或 --analyte 之一</source>
        <translation>One of --method or --analyte is needed</translation>
    </message>
    <message>
        <source>需要 --series</source>
        <translation>--series is needed</translation>
    </message>
    <message>
        <source>--series 的值“%1”无效，应为 check:标称浓度、reference:名称、spike、duplicate、blank、slope 或 intercept</source>
        <translation>Invalid value &quot;%1&quot; for --series; expected check:NOMINAL, reference:NAME, spike, duplicate, blank, slope or intercept</translation>
    </message>
    <message>
        <source>--reference 的值“%1”无效：%2</source>
        <translation>Invalid value &quot;%1&quot; for --reference: %2</translation>
    </message>
    <message>
        <source>冻结的控制限未能读回</source>
        <translation>The frozen limits could not be read back</translation>
    </message>
    <message>
        <source>Lumetra 的质控数据库：归档批次的质控点和质控图。

</source>
        <translation>Lumetra&apos;s quality-control database: the QC points of the filed batches and their control charts.

</translation>
    </message>
    <message>
        <source>命令：qc</source>
        <translation>Command: qc</translation>
    </message>
    <message>
        <source>缺少 qc 的命令（%1）</source>
        <translation>Missing the qc command (%1)</translation>
    </message>
    <message>
        <source>未知的 qc 命令“%1”（%2）</source>
        <translation>Unknown qc command &quot;%1&quot; (%2)</translation>
    </message>
    <message>
        <source>qc export 需要一个输出文件（用法：lumetra qc export OUT.csv）</source>
        <translation>qc export needs an output file (usage: lumetra qc export OUT.csv)</translation>
    </message>
    <message>
        <source>qc %1 不接受 --%2</source>
        <translation>qc %1 does not take --%2</translation>
    </message>
    <message>
        <source>chart、freeze：方法名称（按方法归档的批次）；file：先应用的方法文件（.lumetra-method），与 lumetra report 相同。</source>
        <translation>chart, freeze: the method&apos;s name (batches filed with a method); file: the method file (.lumetra-method) applied first, as with lumetra report.</translation>
    </message>
    <message>
        <source>此批次已归档（批次 %1）</source>
        <translation>This batch is already filed (batch %1)</translation>
    </message>
    <message>
        <source>用法：lumetra qc chart|freeze|list|export|file，见 lumetra qc --help</source>
        <translation>usage: lumetra qc chart|freeze|list|export|file, see lumetra qc --help</translation>
    </message>
    <message>
        <source>qc chart      质控图：--method NAME 或 --analyte NAME，--series S（见 lumetra qc --help）。
qc freeze     按参考期冻结控制限。
qc list       数据库中的方法、分析项目及其质控序列和点数。
qc export OUT.csv   导出全部记录（备份）。
qc file FILE  归档一个批次：与 lumetra report FILE 相同的选项，输出批次编号。</source>
        <translation>qc chart      A control chart: --method NAME or --analyte NAME, --series S (see lumetra qc --help).
qc freeze     Freezes the limits of the reference period.
qc list       The methods and analytes in the database with their QC series and points.
qc export OUT.csv   Exports every record (a backup).
qc file FILE  Files a batch: the options of lumetra report FILE; prints the batch&apos;s number.</translation>
    </message>
    <message>
        <source>

退出码：0 成功（file：已归档过的批次也是0）；1 现有的点画不出质控图（没有点、参考期不足7个点、数值全部相同），
或 file 的标准曲线无法拟合；2 其他错误（用法、数据库、文件）；
3 file 使用 --strict 且有质控规则未通过或未判定（批次已归档）。</source>
        <translation>

Exit codes: 0 success (file: also for a batch filed before); 1 no control chart from the points there are (none, fewer than 7 in the reference period, all values equal),
or file&apos;s calibration curve cannot be fitted; 2 any other error (usage, database, file);
3 file with --strict and a QC rule failed or could not be judged (the batch is filed).</translation>
    </message>
    <message>
        <source>chart、freeze、list、export 或 file</source>
        <translation>chart, freeze, list, export or file</translation>
    </message>
    <message>
        <source>qc file 需要一个文件（用法：lumetra qc file FILE）</source>
        <translation>qc file needs a file (usage: lumetra qc file FILE)</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>浓度单位</source>
        <translation>conc. unit</translation>
    </message>
    <message>
        <source>实验室</source>
        <translation>Laboratory</translation>
    </message>
    <message>
        <source>分析方法</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>项目/批号</source>
        <translation>Batch No.</translation>
    </message>
    <message>
        <source>分析项目</source>
        <translation>Analyte</translation>
    </message>
    <message>
        <source>仪器</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>仪器编号</source>
        <translation>Instr. No.</translation>
    </message>
    <message>
        <source>波长</source>
        <translation>Wavelength</translation>
    </message>
    <message>
        <source>比色皿光程</source>
        <translation>Path length</translation>
    </message>
    <message>
        <source>分析日期</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>分析人</source>
        <translation>Analyst</translation>
    </message>
    <message>
        <source>校核人</source>
        <translation>Reviewer</translation>
    </message>
    <message>
        <source>审核人</source>
        <translation>Approver</translation>
    </message>
    <message>
        <source>统计量</source>
        <translation>Statistic</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>%1% 半宽 (±)</source>
        <translation>%1% CI half-width (±)</translation>
    </message>
    <message>
        <source>单位</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>a value with why it is missing</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>序号</source>
        <translation>No.</translation>
    </message>
    <message>
        <source>浓度 C</source>
        <translation>Concentration C</translation>
    </message>
    <message>
        <source>吸光度 A</source>
        <translation>Absorbance A</translation>
    </message>
    <message>
        <source>拟合值 Â</source>
        <translation>Fitted Â</translation>
    </message>
    <message>
        <source>残差 A − Â</source>
        <translation>Residual A − Â</translation>
    </message>
    <message>
        <source>相对偏差 (%)</source>
        <translation>Rel. deviation (%)</translation>
    </message>
    <message>
        <source>回算浓度 Ĉ</source>
        <translation>Back-calculated Ĉ</translation>
    </message>
    <message>
        <source>回收率 (%)</source>
        <translation>Recovery (%)</translation>
    </message>
    <message>
        <source>状态</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>排除：%1</source>
        <translation>Excluded: %1</translation>
    </message>
    <message>
        <source>参与拟合</source>
        <translation>Fitted</translation>
    </message>
    <message>
        <source>可疑离群</source>
        <translation>Suspected outlier</translation>
    </message>
    <message>
        <source>强影响</source>
        <translation>Influential</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the words of a list</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>判据</source>
        <translation>Criterion</translation>
    </message>
    <message>
        <source>结论</source>
        <translation>Conclusion</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>a row&apos;s type with the sample it refers to</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>通过：浓度 %1 低于检出限 %2</source>
        <translation>Pass: concentration %1 below the LOD %2</translation>
    </message>
    <message>
        <source>通过：%1</source>
        <translation>Pass: %1</translation>
    </message>
    <message>
        <source>未通过：%1</source>
        <translation>Fail: %1</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>读数 A</source>
        <translation>Readings A</translation>
    </message>
    <message>
        <source>稀释倍数</source>
        <translation>Dilution</translation>
    </message>
    <message>
        <source>平均吸光度</source>
        <translation>Mean A</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>质控</source>
        <translation>QC</translation>
    </message>
    <message>
        <source>说明</source>
        <translation>Notes</translation>
    </message>
    <message>
        <source>；</source>
        <comment>between the notes of a row</comment>
        <translation>; </translation>
    </message>
    <message>
        <source>结果 = x0·f/V</source>
        <translation>Result = x0·f/V</translation>
    </message>
    <message>
        <source>结果 = x0·f</source>
        <translation>Result = x0·f</translation>
    </message>
    <message>
        <source>f = %1，V = %2 %3</source>
        <translation>f = %1, V = %2 %3</translation>
    </message>
    <message>
        <source>%1（x0 为样品溶液浓度乘以稀释倍数；%2），结果单位：%3；修约：%4（四舍六入五成双）；低于检出限报告为：%5。</source>
        <translation>%1 (x0 is the concentration in the sample solution times the dilution factor; %2); reporting unit: %3; rounding: %4 (round half to even); results below the LOD reported as %5.</translation>
    </message>
    <message>
        <source>同浓度单位</source>
        <translation>same as the concentration unit</translation>
    </message>
    <message numerus="yes">
        <source>%n位有效数字</source>
        <translation>
            <numerusform>%n significant figure</numerusform>
            <numerusform>%n significant figures</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n位小数</source>
        <translation>
            <numerusform>%n decimal place</numerusform>
            <numerusform>%n decimal places</numerusform>
        </translation>
    </message>
    <message>
        <source>“未检出”</source>
        <translation>“not detected”</translation>
    </message>
    <message>
        <source>“&lt;检出限”</source>
        <translation>“&lt;LOD”</translation>
    </message>
    <message>
        <source>无法换算结果：%1</source>
        <translation>Results cannot be converted: %1</translation>
    </message>
    <message>
        <source>空白校正：各样品的平均吸光度减去 %1。</source>
        <translation>Blank correction: %1 subtracted from the mean absorbance of each sample.</translation>
    </message>
    <message>
        <source>空白校正无法进行：%1</source>
        <translation>Blank correction not possible: %1</translation>
    </message>
    <message>
        <source>校准曲线：通过，%1</source>
        <translation>Calibration curve: pass, %1</translation>
    </message>
    <message>
        <source>校准曲线：未通过，%1</source>
        <translation>Calibration curve: fail, %1</translation>
    </message>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>用户</source>
        <translation>User</translation>
    </message>
    <message>
        <source>内容</source>
        <translation>Entry</translation>
    </message>
    <message>
        <source>%1：</source>
        <comment>a field&apos;s label</comment>
        <translation>%1:</translation>
    </message>
    <message>
        <source>%1&#x3000;&#x3000;生成时间：%2</source>
        <translation>%1    Generated: %2</translation>
    </message>
    <message>
        <source>标准曲线</source>
        <translation>Calibration curve</translation>
    </message>
    <message>
        <source>模型：%1</source>
        <translation>Model: %1</translation>
    </message>
    <message>
        <source>方程：%1</source>
        <translation>Equation: %1</translation>
    </message>
    <message>
        <source>校准曲线图与残差图</source>
        <translation>Calibration and residual plots</translation>
    </message>
    <message>
        <source>标准点</source>
        <translation>Standards</translation>
    </message>
    <message>
        <source>验证</source>
        <translation>Validation</translation>
    </message>
    <message>
        <source>样品结果</source>
        <translation>Sample results</translation>
    </message>
    <message>
        <source>（无样品）</source>
        <translation>(no samples)</translation>
    </message>
    <message numerus="yes">
        <source>附录：修改记录（共%n条）</source>
        <translation>
            <numerusform>Appendix: change history (%n entry)</numerusform>
            <numerusform>Appendix: change history (%n entries)</numerusform>
        </translation>
    </message>
    <message>
        <source>（无记录）</source>
        <translation>(no entries)</translation>
    </message>
    <message>
        <source>（无文件）</source>
        <translation>(no file)</translation>
    </message>
    <message>
        <source>未保存</source>
        <translation>not saved</translation>
    </message>
    <message>
        <source>无法读取（%1）</source>
        <translation>cannot be read (%1)</translation>
    </message>
    <message>
        <source>标准曲线分析报告</source>
        <translation>Calibration Curve Report</translation>
    </message>
    <message>
        <source>数据文件：%1</source>
        <translation>Data file: %1</translation>
    </message>
    <message>
        <source>SHA-256：%1</source>
        <translation>SHA-256: %1</translation>
    </message>
    <message>
        <source>改变结果的命令行选项：%1</source>
        <translation>Command-line options that change the results: %1</translation>
    </message>
    <message>
        <source>（未保存的标准曲线）</source>
        <translation>(calibration not saved)</translation>
    </message>
    <message>
        <source>%1（A：吸光度，C：浓度，%2；系数未修约）</source>
        <translation>%1 (A: absorbance; C: concentration, %2; coefficients unrounded)</translation>
    </message>
    <message>
        <source>LOD = 3.3·s(y/x)/|b|，LOQ = 10·s(y/x)/|b|；半宽 = t·s，t 取置信水平与模型自由度下的 t 分布分位数；“—”为该项无法计算，括号内为原因。</source>
        <translation>LOD = 3.3·s(y/x)/|b|, LOQ = 10·s(y/x)/|b|; half-width = t·s, with t the quantile of Student&apos;s t distribution at the confidence level and the model&apos;s degrees of freedom; “—”: the figure cannot be calculated, the reason in brackets.</translation>
    </message>
    <message>
        <source>空白校正：拟合前各标准点的吸光度减去零浓度标准点的平均吸光度 %1。</source>
        <translation>Blank correction: the mean absorbance of the zero standards, %1, subtracted from each standard&apos;s absorbance before the fit.</translation>
    </message>
    <message>
        <source>分析：______ 日期：______</source>
        <translation>Analyst: ______ Date: ______</translation>
    </message>
    <message>
        <source>校核：______ 日期：______</source>
        <translation>Reviewer: ______ Date: ______</translation>
    </message>
    <message>
        <source>审核：______ 日期：______</source>
        <translation>Approver: ______ Date: ______</translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <comment>the page&apos;s foot: the file, the title</comment>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>第 %1 页 共 %2 页</source>
        <translation>Page %1 of %2</translation>
    </message>
    <message>
        <source>未判定：%1</source>
        <translation>Not judged: %1</translation>
    </message>
    <message>
        <source>；</source>
        <comment>between the verdicts of a row&apos;s rules</comment>
        <translation>; </translation>
    </message>
    <message>
        <source>本样品结果 %1</source>
        <translation>this sample’s own result %1</translation>
    </message>
    <message>
        <source>%1（平行样均值）</source>
        <translation>%1 (mean of duplicates)</translation>
    </message>
    <message>
        <source>低于 %1 时%2，不低于 %1 时%3</source>
        <translation>below %1 %2, from %1 on %3</translation>
    </message>
    <message>
        <source>“检出限L”</source>
        <translation>“LOD followed by L”</translation>
    </message>
    <message>
        <source>空白吸光度要求：每个空白的平均吸光度（校正前）≤ %1。</source>
        <translation>Blank absorbance: the mean absorbance of each blank (before correction) ≤ %1.</translation>
    </message>
    <message>
        <source>方法：%1</source>
        <translation>Method: %1</translation>
    </message>
    <message>
        <source>方法文件 SHA-256：%1</source>
        <translation>Method file SHA-256: %1</translation>
    </message>
    <message>
        <source>（未知）</source>
        <translation>(unknown)</translation>
    </message>
    <message numerus="yes">
        <source>……（以下从略：全文共%n个字符，见数据文件）</source>
        <translation>
            <numerusform>… (the rest left out: the whole text of %n character stands in the data file)</numerusform>
            <numerusform>… (the rest left out: the whole text of %n characters stands in the data file)</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>UncertaintyTexts</name>
    <message>
        <source>--%1 的值“%2”无效，应为 %3</source>
        <translation>Invalid value “%2” for --%1: expected %3</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>--%1 只用于 --uncertainty bottom-up</source>
        <translation>--%1 is only for --uncertainty bottom-up</translation>
    </message>
    <message>
        <source>--%1 的值“%2”无效，应为0到1之间的数或 spikes</source>
        <translation>Invalid value “%2” for --%1: expected a number from 0 to 1 or spikes</translation>
    </message>
    <message>
        <source>--%1 的值“%2”无效，应为0到1之间的数</source>
        <translation>Invalid value “%2” for --%1: expected a number from 0 to 1</translation>
    </message>
    <message>
        <source>测量不确定度的评定方式：none（不评定）、bottom-up（由校准曲线和各分量合成）或 top-down（由质控数据库的质控图和质控样结果，见 --database）。</source>
        <translation>How the measurement uncertainty is evaluated: none, bottom-up (combined from the calibration and the components) or top-down (from the control charts and reference-material results of the quality-control database, see --database).</translation>
    </message>
    <message>
        <source>取样体积的相对标准不确定度（小数，0.01即1%）。</source>
        <translation>The relative standard uncertainty of the sample volume (a fraction: 0.01 is 1%).</translation>
    </message>
    <message>
        <source>稀释的相对标准不确定度（小数）。</source>
        <translation>The relative standard uncertainty of the dilution (a fraction).</translation>
    </message>
    <message>
        <source>标准物质（纯度和配制）的相对标准不确定度（小数）。</source>
        <translation>The relative standard uncertainty of the standards&apos; stock, purity and preparation (a fraction).</translation>
    </message>
    <message>
        <source>回收率的相对标准不确定度（小数），或 spikes：由本批加标样的回收率评定。</source>
        <translation>The relative standard uncertainty of the recovery (a fraction), or spikes: from the recoveries of the batch&apos;s spikes.</translation>
    </message>
    <message>
        <source>包含因子：2（k = 2），或 t（k = t(0.975; ν_eff)，ν_eff 按 Welch–Satterthwaite 公式）。</source>
        <translation>The coverage factor: 2 (k = 2), or t (k = t(0.975; ν_eff), ν_eff by Welch–Satterthwaite).</translation>
    </message>
</context>
<context>
    <name>Validation</name>
    <message>
        <source>第%1点</source>
        <translation>standard %1</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the standards&apos; numbers</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>截距为0</source>
        <translation>Intercept is 0</translation>
    </message>
    <message>
        <source>截距与0有显著差异（各点恰在直线上）</source>
        <translation>Intercept differs significantly from 0 (all points exactly on the line)</translation>
    </message>
    <message>
        <source>截距与0无显著差异 (t = %1 &lt; %2)</source>
        <translation>Intercept not significantly different from 0 (t = %1 &lt; %2)</translation>
    </message>
    <message>
        <source>截距与0有显著差异 (t = %1 ≥ %2)</source>
        <translation>Intercept differs significantly from 0 (t = %1 ≥ %2)</translation>
    </message>
    <message>
        <source>截距检验</source>
        <translation>Intercept test</translation>
    </message>
    <message>
        <source>Mandel 线性检验</source>
        <translation>Mandel&apos;s test for linearity</translation>
    </message>
    <message>
        <source>线性</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>非线性，建议二次模型或缩小范围</source>
        <translation>Not linear: consider a quadratic model or a narrower range</translation>
    </message>
    <message>
        <source>失拟检验</source>
        <translation>Lack-of-fit test</translation>
    </message>
    <message>
        <source>p &lt; 0.05 为存在失拟</source>
        <translation>lack of fit if p &lt; 0.05</translation>
    </message>
    <message>
        <source>存在失拟（重复读数全部相同）</source>
        <translation>Lack of fit (replicate readings all equal)</translation>
    </message>
    <message>
        <source>存在失拟</source>
        <translation>Lack of fit</translation>
    </message>
    <message>
        <source>无显著失拟</source>
        <translation>No significant lack of fit</translation>
    </message>
    <message>
        <source>离群点（学生化残差）</source>
        <translation>Outliers (studentized residuals)</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>无可疑离群点</source>
        <translation>No suspected outliers</translation>
    </message>
    <message>
        <source>可疑离群：%1</source>
        <translation>Suspected outliers: %1</translation>
    </message>
    <message>
        <source>强影响点（Cook 距离）</source>
        <translation>Influential points (Cook&apos;s distance)</translation>
    </message>
    <message>
        <source>无强影响点</source>
        <translation>No influential points</translation>
    </message>
    <message>
        <source>强影响：%1</source>
        <translation>Influential: %1</translation>
    </message>
    <message>
        <source>判定限 x_c (DIN 32645)</source>
        <translation>Critical value x_c (DIN 32645)</translation>
    </message>
    <message>
        <source>检出限 x_d = 2·x_c (DIN 32645)</source>
        <translation>Limit of detection x_d = 2·x_c (DIN 32645)</translation>
    </message>
    <message>
        <source>%1（精确解 %2）</source>
        <translation>%1 (exact solution %2)</translation>
    </message>
    <message>
        <source>精确解不存在</source>
        <translation>no exact solution</translation>
    </message>
    <message>
        <source>定量限 x_q (DIN 32645)</source>
        <translation>Limit of quantification x_q (DIN 32645)</translation>
    </message>
    <message>
        <source>DIN 32645 校准曲线法</source>
        <translation>DIN 32645 calibration method</translation>
    </message>
    <message>
        <source>空白法 x_c / x_d (DIN 32645)</source>
        <translation>Blank method x_c / x_d (DIN 32645)</translation>
    </message>
    <message>
        <source>n_b = %1, s_空白 = %2</source>
        <translation>n_b = %1, s_blank = %2</translation>
    </message>
    <message>
        <source>方法检出限 MDL（检出限样，HJ 168）</source>
        <translation>Method detection limit MDL (MDL spikes, HJ 168)</translation>
    </message>
    <message>
        <source>方法检出限 MDL（空白，HJ 168）</source>
        <translation>Method detection limit MDL (blanks, HJ 168)</translation>
    </message>
    <message>
        <source>%1；测定下限 %2</source>
        <translation>%1; lower limit of determination %2</translation>
    </message>
    <message>
        <source>方法检出限 MDL (HJ 168)</source>
        <translation>Method detection limit MDL (HJ 168)</translation>
    </message>
    <message>
        <source>由校准曲线的剩余标准差</source>
        <translation>from the residual standard deviation of the curve</translation>
    </message>
    <message>
        <source>报告检出限</source>
        <translation>Reported limit of detection</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>a limit with its value in the reporting unit</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>校准曲线</source>
        <translation>the calibration curve</translation>
    </message>
    <message>
        <source>本批检出限样</source>
        <translation>this batch’s MDL replicates</translation>
    </message>
    <message>
        <source>方法验证</source>
        <translation>the method’s validation</translation>
    </message>
    <message>
        <source>本批空白</source>
        <translation>this batch’s blanks</translation>
    </message>
    <message>
        <source>%1（来自%2）</source>
        <translation>%1 (from %2)</translation>
    </message>
    <message>
        <source>报告检出限的定量限</source>
        <translation>Quantitation limit of the reported limit</translation>
    </message>
</context>
<context>
    <name>analysis::AnalysisWindow</name>
    <message>
        <source>取消排除第%1点</source>
        <translation>Include standard %1 again</translation>
    </message>
    <message>
        <source>排除第%1点…</source>
        <translation>Exclude standard %1...</translation>
    </message>
    <message>
        <source>复制结果</source>
        <translation>Copy Results</translation>
    </message>
    <message>
        <source>保存图像…</source>
        <translation>Save Image...</translation>
    </message>
    <message>
        <source>双击单元格编辑；Ctrl+V 从电子表格粘贴（浓度、吸光度两列，用内标时再加内标响应、内标浓度）；Insert 添加，Delete 删除所选标准点；勾选“排除”并说明原因即不参与拟合。</source>
        <translation>Double-click a cell to edit; Ctrl+V pastes from a spreadsheet (two columns: concentration, absorbance; with the internal standard also its response and concentration); Insert adds, Delete deletes the selected standards; tick “Excluded” and give a reason to leave a standard out of the fit.</translation>
    </message>
    <message>
        <source>标准点</source>
        <translation>Standards</translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation>Clear List</translation>
    </message>
    <message>
        <source>Ctrl+V 从电子表格粘贴（每行一个样品：名称、读数、稀释倍数、类型、所指样品、加标量、标称浓度、标准值、不确定度U、内标响应、内标浓度，或只有读数；表头可按任意顺序命名各列）；Delete 删除所选行；双击单元格编辑。</source>
        <translation>Ctrl+V pastes from a spreadsheet (one sample per line: name, readings, dilution factor, type, refers to, spike added, nominal concentration, certified value, uncertainty U, internal standard response, internal standard concentration, or readings only; a header row may name the columns in any order); Delete deletes the selected rows; double-click a cell to edit.</translation>
    </message>
    <message>
        <source>样品</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>模型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>验证</source>
        <translation>Validation</translation>
    </message>
    <message>
        <source>记录</source>
        <translation>History</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>报告信息…</source>
        <translation>Report Details...</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>Print...</translation>
    </message>
    <message>
        <source>导出PDF…</source>
        <translation>Export PDF...</translation>
    </message>
    <message>
        <source>报告附修改记录</source>
        <translation>Change History in Report</translation>
    </message>
    <message>
        <source>统计量</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>主窗口的拟合替换了它没有显示的标准点；替换前的数据已备份：&lt;a href=&quot;open&quot;&gt;打开备份&lt;/a&gt;</source>
        <translation>The main window&apos;s fit replaced standards it does not show; the data before it was backed up: &lt;a href=&quot;open&quot;&gt;open the backup&lt;/a&gt;</translation>
    </message>
    <message>
        <source>标准曲线分析</source>
        <translation>Calibration Curve Analysis</translation>
    </message>
    <message>
        <source>无法拟合标准曲线</source>
        <translation>Cannot fit the calibration curve</translation>
    </message>
    <message>
        <source>在主窗口输入标准点并点击“计算”，或在“标准点”中输入、粘贴或导入标准点，这里即显示标准曲线和统计结果。</source>
        <translation>Enter the standards in the main window and click “Calculate”, or type, paste or import them under “Standards”; the calibration curve and its statistics then show here.</translation>
    </message>
    <message>
        <source>保存图像</source>
        <translation>Save Image</translation>
    </message>
    <message>
        <source>PNG 图像 (*.png);;SVG 图像 (*.svg)</source>
        <translation>PNG image (*.png);;SVG image (*.svg)</translation>
    </message>
    <message>
        <source>标准曲线.png</source>
        <translation>calibration curve.png</translation>
    </message>
    <message>
        <source>图像保存失败：%1</source>
        <translation>Saving the image failed: %1</translation>
    </message>
    <message>
        <source>导出PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF file (*.pdf)</translation>
    </message>
    <message>
        <source>PDF导出失败：%1</source>
        <translation>PDF export failed: %1</translation>
    </message>
    <message>
        <source>无法打印：%1</source>
        <translation>Cannot print: %1</translation>
    </message>
    <message>
        <source>打开…</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为…</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>恢复上次的数据</source>
        <translation>Restore Last Data</translation>
    </message>
    <message>
        <source>导入标准点CSV…</source>
        <translation>Import Standards CSV...</translation>
    </message>
    <message>
        <source>导入样品CSV…</source>
        <translation>Import Samples CSV...</translation>
    </message>
    <message>
        <source>导出CSV…</source>
        <translation>Export CSV...</translation>
    </message>
    <message>
        <source>导入样品CSV</source>
        <translation>Import Samples CSV</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv);;文本文件 (*.txt *.tsv);;所有文件 (*)</source>
        <translation>CSV files (*.csv);;Text files (*.txt *.tsv);;All files (*)</translation>
    </message>
    <message>
        <source>无法导入：%1</source>
        <translation>Cannot import: %1</translation>
    </message>
    <message>
        <source>尚未计算标准曲线，没有可导出的结果</source>
        <translation>No calibration curve calculated yet, nothing to export</translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation>CSV file (*.csv)</translation>
    </message>
    <message>
        <source>导出失败：%1</source>
        <translation>Export failed: %1</translation>
    </message>
    <message>
        <source>由未取整的最小二乘拟合计算：
LOD = 3.3·s(y/x)/|b|
LOQ = 10·s(y/x)/|b|
（s(y/x)：响应的标准差，b：斜率）
半宽 = t·s
（t：所选置信水平、残差自由度的双侧t值）</source>
        <translation>Calculated from the unrounded least-squares fit:
LOD = 3.3·s(y/x)/|b|
LOQ = 10·s(y/x)/|b|
(s(y/x): standard deviation of the response, b: slope)
Half-width = t·s
(t: two-sided, at the chosen level and the residual degrees of freedom)</translation>
    </message>
    <message>
        <source>这是打开的标准曲线文件，导出不能覆盖它</source>
        <translation>this is the open calibration file, which an export does not overwrite</translation>
    </message>
    <message>
        <source>质控(&amp;Q)</source>
        <translation>&amp;QC</translation>
    </message>
    <message>
        <source>质控图…</source>
        <translation>Control charts...</translation>
    </message>
    <message>
        <source>质控数据库…</source>
        <translation>QC database...</translation>
    </message>
    <message>
        <source>放大样品表</source>
        <translation>Enlarge table</translation>
    </message>
    <message>
        <source>隐藏图表和批次设置，样品表占满窗口；再点一次恢复。</source>
        <translation>Hides the plots and the batch settings so that the sample table fills the window; click again to bring them back.</translation>
    </message>
    <message>
        <source>方法(&amp;M)</source>
        <translation>&amp;Method</translation>
    </message>
    <message>
        <source>标准曲线报告</source>
        <translation>calibration report</translation>
    </message>
    <message>
        <source>标准曲线</source>
        <translation>calibration curve</translation>
    </message>
    <message>
        <source>保存为方法…</source>
        <translation>Save as method…</translation>
    </message>
    <message>
        <source>应用方法…</source>
        <translation>Apply method…</translation>
    </message>
    <message>
        <source>保存为方法</source>
        <translation>Save as method</translation>
    </message>
    <message>
        <source>Lumetra 方法文件 (*.lumetra-method)</source>
        <translation>Lumetra method files (*.lumetra-method)</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>method</translation>
    </message>
    <message>
        <source>方法保存失败：%1</source>
        <translation>Saving the method failed: %1</translation>
    </message>
    <message>
        <source>应用方法</source>
        <translation>Apply method</translation>
    </message>
    <message>
        <source>Lumetra 方法文件 (*.lumetra-method);;所有文件 (*)</source>
        <translation>Lumetra method files (*.lumetra-method);;All files (*)</translation>
    </message>
    <message>
        <source>无法应用方法：%1</source>
        <translation>Cannot apply the method: %1</translation>
    </message>
    <message>
        <source>应用方法 &quot;%1&quot; 的原因：</source>
        <translation>Reason for applying the method &quot;%1&quot;:</translation>
    </message>
    <message>
        <source>不确定度</source>
        <translation>Uncertainty</translation>
    </message>
    <message>
        <source>标准偏差按外推公式，不含新测量的预测项：%1</source>
        <translation>Standard deviation by the extrapolation formula, without the prediction term of a new measurement: %1</translation>
    </message>
</context>
<context>
    <name>analysis::BatchFiling</name>
    <message>
        <source>归档批次</source>
        <translation>File batch</translation>
    </message>
    <message>
        <source>把这个批次归档到质控数据库</source>
        <translation>File this batch in the QC database</translation>
    </message>
    <message>
        <source>先保存文件（没有未保存的修改）才能归档</source>
        <translation>Save the file first (no unsaved changes) to file the batch</translation>
    </message>
    <message>
        <source>未归档</source>
        <translation>Not filed</translation>
    </message>
    <message>
        <source>已归档（批次 %1，取代批次 %2）</source>
        <translation>Filed (batch %1, replacing batch %2)</translation>
    </message>
    <message>
        <source>已归档（批次 %1）</source>
        <translation>Filed (batch %1)</translation>
    </message>
    <message>
        <source>未按质控图判断：%1</source>
        <translation>Not judged against the control charts: %1</translation>
    </message>
    <message>
        <source>尚未计算标准曲线，没有可归档的批次</source>
        <translation>No calibration curve yet: there is no batch to file</translation>
    </message>
    <message>
        <source>归档失败：%1</source>
        <translation>Filing failed: %1</translation>
    </message>
    <message>
        <source>此批次已归档（批次 %1）</source>
        <translation>This batch is already filed (batch %1)</translation>
    </message>
</context>
<context>
    <name>analysis::BatchPanel</name>
    <message>
        <source>空白校正</source>
        <translation>Blank correction</translation>
    </message>
    <message>
        <source>标准点减去浓度为0的标准点的平均吸光度后拟合；样品、平行样、加标样和质控样减去空白的平均吸光度（没有空白时用零浓度标准点的），校准核查和空白本身减去零浓度标准点的。</source>
        <translation>The mean absorbance of the zero standards is subtracted from the standards before the fit; the mean absorbance of the blanks (of the zero standards when there are no blanks) from samples, duplicates, spiked samples and reference materials; that of the zero standards from check standards and the blanks themselves.</translation>
    </message>
    <message>
        <source>取样量 V</source>
        <translation>Sample volume V</translation>
    </message>
    <message>
        <source>换算系数 f</source>
        <translation>Conversion factor f</translation>
    </message>
    <message>
        <source>结果单位</source>
        <translation>Reporting unit</translation>
    </message>
    <message>
        <source>有效数字</source>
        <translation>Significant figures</translation>
    </message>
    <message>
        <source>小数位数</source>
        <translation>Decimal places</translation>
    </message>
    <message>
        <source>未检出</source>
        <translation>Not detected</translation>
    </message>
    <message>
        <source>&lt;检出限</source>
        <translation>&lt;LOD</translation>
    </message>
    <message>
        <source>修约</source>
        <translation>Rounding</translation>
    </message>
    <message>
        <source>低于检出限时报告</source>
        <translation>Report below LOD as</translation>
    </message>
    <message>
        <source>质控要求：r ≥</source>
        <translation>QC limits: r ≥</translation>
    </message>
    <message>
        <source>平行样相对偏差 ≤</source>
        <translation>Duplicate RPD ≤</translation>
    </message>
    <message>
        <source>% 加标回收率</source>
        <translation>% Spike recovery</translation>
    </message>
    <message>
        <source>% 校准核查 ±</source>
        <translation>% Check standard ±</translation>
    </message>
    <message>
        <source>小数位数/有效数字切换</source>
        <translation>Decimals / significant figures switch</translation>
    </message>
    <message>
        <source>检出限L</source>
        <translation>LOD followed by L</translation>
    </message>
    <message>
        <source>每个空白的平均吸光度（校正前）不得超过此值；空着即不检查。</source>
        <translation>No blank&apos;s mean absorbance (before correction) may exceed this value; leave empty for no check.</translation>
    </message>
    <message>
        <source>低于</source>
        <comment>the rounding switch: below the threshold</comment>
        <translation>below</translation>
    </message>
    <message>
        <source>位小数</source>
        <comment>the rounding switch: the decimals below the threshold</comment>
        <translation>decimals</translation>
    </message>
    <message>
        <source>修约切换值</source>
        <translation>Rounding switch value</translation>
    </message>
    <message>
        <source>低于切换值时的小数位数</source>
        <translation>Decimals below the switch value</translation>
    </message>
    <message>
        <source>时</source>
        <comment>the rounding switch: then</comment>
        <translation>use</translation>
    </message>
    <message>
        <source>不限</source>
        <translation>none</translation>
    </message>
    <message>
        <source>空白吸光度 ≤</source>
        <translation>Blank A ≤</translation>
    </message>
    <message>
        <source>位小数</source>
        <translation>decimals</translation>
    </message>
    <message>
        <source>位有效数字</source>
        <translation>sig. digits</translation>
    </message>
    <message>
        <source>修约切换值 &quot;%1&quot; 应为大于0的数</source>
        <translation>Rounding switch value &quot;%1&quot; must be a number above 0</translation>
    </message>
    <message>
        <source>空白吸光度上限 &quot;%1&quot; 应为0到10之间的数</source>
        <translation>Blank absorbance maximum &quot;%1&quot; must be a number from 0 to 10</translation>
    </message>
</context>
<context>
    <name>analysis::ChangeReason</name>
    <message>
        <source>记录已保存，请说明修改原因：</source>
        <translation>This record has been saved. Reason for the change:</translation>
    </message>
    <message>
        <source>修改已保存的记录必须说明原因</source>
        <translation>A change to a saved record needs a reason</translation>
    </message>
</context>
<context>
    <name>analysis::ControlChartWidget</name>
    <message>
        <source>质控图</source>
        <translation>Control chart</translation>
    </message>
</context>
<context>
    <name>analysis::ControlChartWindow</name>
    <message>
        <source>%1 – %2</source>
        <comment>a band&apos;s low and high line</comment>
        <translation>%1 – %2</translation>
    </message>
    <message>
        <source>校准核查 %1</source>
        <translation>Check standard %1</translation>
    </message>
    <message>
        <source>质控样 %1</source>
        <translation>Reference material %1</translation>
    </message>
    <message>
        <source>加标回收率</source>
        <translation>Spike recovery</translation>
    </message>
    <message>
        <source>平行样相对偏差</source>
        <translation>Duplicate relative deviation</translation>
    </message>
    <message>
        <source>空白吸光度</source>
        <translation>Blank absorbance</translation>
    </message>
    <message>
        <source>斜率</source>
        <translation>Slope</translation>
    </message>
    <message>
        <source>截距</source>
        <translation>Intercept</translation>
    </message>
    <message>
        <source>测得浓度</source>
        <translation>Concentration found</translation>
    </message>
    <message>
        <source>测定结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>回收率</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>相对偏差</source>
        <translation>Relative deviation</translation>
    </message>
    <message>
        <source>吸光度</source>
        <translation>Absorbance</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>a quantity and its unit</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>移动极差</source>
        <translation>moving range</translation>
    </message>
    <message>
        <source>标准偏差</source>
        <translation>standard deviation</translation>
    </message>
    <message numerus="yes">
        <source>参考期%n个点（%1至%2）</source>
        <translation>
            <numerusform>the reference period of %n point (%1 to %2)</numerusform>
            <numerusform>the reference period of %n points (%1 to %2)</numerusform>
        </translation>
    </message>
    <message>
        <source>控制限已冻结（%1，%2）：%3，σ估计：%4</source>
        <translation>Limits frozen (%1, %2): %3, σ estimated by %4</translation>
    </message>
    <message>
        <source>控制限未冻结，取自%1，σ估计：%2</source>
        <translation>Limits not frozen, from %1, σ estimated by %2</translation>
    </message>
    <message>
        <source>%1；规则：%2</source>
        <translation>%1; rules: %2</translation>
    </message>
    <message>
        <source>质控图</source>
        <translation>Control charts</translation>
    </message>
    <message>
        <source>刷新</source>
        <translation>Refresh</translation>
    </message>
    <message>
        <source>质控数据库：</source>
        <translation>QC database:</translation>
    </message>
    <message>
        <source>方法或分析项目</source>
        <translation>Method or analyte</translation>
    </message>
    <message>
        <source>质控序列</source>
        <translation>QC series</translation>
    </message>
    <message>
        <source>方法／分析项目(&amp;M)：</source>
        <translation>&amp;Method / analyte:</translation>
    </message>
    <message>
        <source>序列(&amp;S)：</source>
        <translation>&amp;Series:</translation>
    </message>
    <message>
        <source>规则(&amp;R)：</source>
        <translation>&amp;Rules:</translation>
    </message>
    <message>
        <source>σ估计：</source>
        <translation>σ estimate:</translation>
    </message>
    <message>
        <source>前</source>
        <translation>First</translation>
    </message>
    <message>
        <source>参考期点数</source>
        <translation>Points of the reference period</translation>
    </message>
    <message>
        <source>日期范围</source>
        <translation>Range of days</translation>
    </message>
    <message>
        <source>参考期起始日期</source>
        <translation>First day of the reference period</translation>
    </message>
    <message>
        <source>参考期结束日期</source>
        <translation>Last day of the reference period</translation>
    </message>
    <message>
        <source>个点</source>
        <translation>points</translation>
    </message>
    <message>
        <source>至</source>
        <translation>to</translation>
    </message>
    <message>
        <source>参考期：</source>
        <translation>Reference period:</translation>
    </message>
    <message>
        <source>按冻结的控制限</source>
        <translation>Use the frozen limits</translation>
    </message>
    <message>
        <source>冻结控制限</source>
        <translation>Freeze limits</translation>
    </message>
    <message>
        <source>导出PNG…</source>
        <translation>Export PNG...</translation>
    </message>
    <message>
        <source>导出SVG…</source>
        <translation>Export SVG...</translation>
    </message>
    <message>
        <source>导出PDF…</source>
        <translation>Export PDF...</translation>
    </message>
    <message>
        <source>这个质控数据库中还没有归档的批次</source>
        <translation>No batch has been filed in this QC database yet</translation>
    </message>
    <message numerus="yes">
        <source>%1（%n批）</source>
        <translation>
            <numerusform>%1 (%n batch)</numerusform>
            <numerusform>%1 (%n batches)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1（%2，%n点）</source>
        <translation>
            <numerusform>%1 (%2, %n point)</numerusform>
            <numerusform>%1 (%2, %n points)</numerusform>
        </translation>
    </message>
    <message>
        <source>中心线 %1&#x3000;s %2&#x3000;%3 %4&#x3000;警告限 %5&#x3000;控制限 %6</source>
        <translation>Centre %1   s %2   %3 %4   warning %5   action %6</translation>
    </message>
    <message numerus="yes">
        <source>另有%n个点的单位不是 %1，未画入</source>
        <translation>
            <numerusform>%n more point is not in %1 and is not charted</numerusform>
            <numerusform>%n more points are not in %1 and are not charted</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 · %2</source>
        <translation>%1 · %2</translation>
    </message>
    <message>
        <source>点序号（按分析日期）</source>
        <translation>Point (in order of analysis date)</translation>
    </message>
    <message>
        <source>第%1点&#x3000;批次 %2&#x3000;%3</source>
        <translation>Point %1   batch %2   %3</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <comment>a rule&apos;s key and what it says</comment>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>冻结%1的控制限？
中心线 %2，s %3（%4）。
以后的点将按这些控制限判断；冻结记录会保存冻结人和时间，不能撤销，只能重新冻结。</source>
        <translation>Freeze the control limits of %1?
Centre %2, s %3 (%4).
Later points will be judged against these limits; the record keeps who froze them and when, and cannot be undone, only frozen anew.</translation>
    </message>
    <message>
        <source>SVG 图像 (*.svg)</source>
        <translation>SVG image (*.svg)</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF file (*.pdf)</translation>
    </message>
    <message>
        <source>PNG 图像 (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>质控图-%1</source>
        <translation>control-chart-%1</translation>
    </message>
    <message>
        <source>导出质控图</source>
        <translation>Export control chart</translation>
    </message>
    <message>
        <source>质控图导出失败：%1</source>
        <translation>Exporting the control chart failed: %1</translation>
    </message>
</context>
<context>
    <name>analysis::CurrentCalibration</name>
    <message>
        <source>样品 %1</source>
        <translation>Sample %1</translation>
    </message>
</context>
<context>
    <name>analysis::CurveUnitBox</name>
    <message>
        <source>浓度单位</source>
        <translation>Concentration unit</translation>
    </message>
</context>
<context>
    <name>analysis::DatabaseDialog</name>
    <message>
        <source>质控数据库</source>
        <translation>QC database</translation>
    </message>
    <message>
        <source>本机：%1</source>
        <translation>This workstation: %1</translation>
    </message>
    <message>
        <source>PostgreSQL 服务器（实验室共用）</source>
        <translation>PostgreSQL server (shared by the laboratory)</translation>
    </message>
    <message>
        <source>本机套接字</source>
        <translation>local socket</translation>
    </message>
    <message>
        <source>默认（5432）</source>
        <translation>default (5432)</translation>
    </message>
    <message>
        <source>登录名</source>
        <translation>login name</translation>
    </message>
    <message>
        <source>主机或套接字目录：</source>
        <translation>Host or socket folder:</translation>
    </message>
    <message>
        <source>端口：</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>数据库：</source>
        <translation>Database:</translation>
    </message>
    <message>
        <source>用户：</source>
        <translation>User:</translation>
    </message>
    <message>
        <source>密码不保存在设置中：请写入 ~/.pgpass，或在环境变量 PGPASSWORD 中给出。</source>
        <translation>The password is not kept in the settings: write it into ~/.pgpass, or give it in the environment variable PGPASSWORD.</translation>
    </message>
    <message>
        <source>测试连接</source>
        <translation>Test connection</translation>
    </message>
    <message>
        <source>环境变量 LUMETRA_DATABASE（%1）已指定质控数据库，优先于这里的设置。</source>
        <translation>The environment variable LUMETRA_DATABASE (%1) names the QC database, before the setting here.</translation>
    </message>
    <message>
        <source>本机的质控数据库 %1 还没有建立，归档第一个批次时自动建立</source>
        <translation>This workstation&apos;s QC database %1 does not exist yet; it is made when the first batch is filed</translation>
    </message>
    <message>
        <source>已连接质控数据库 %1</source>
        <translation>Connected to the QC database %1</translation>
    </message>
</context>
<context>
    <name>analysis::HeaderDialog</name>
    <message>
        <source>实验室名称</source>
        <translation>Laboratory</translation>
    </message>
    <message>
        <source>项目/批号</source>
        <translation>Batch No.</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>分析项目</source>
        <translation>Analyte</translation>
    </message>
    <message>
        <source>仪器</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>仪器编号</source>
        <translation>Instrument No.</translation>
    </message>
    <message>
        <source>波长</source>
        <translation>Wavelength</translation>
    </message>
    <message>
        <source>比色皿光程</source>
        <translation>Path length</translation>
    </message>
    <message>
        <source>分析日期</source>
        <translation>Analysis date</translation>
    </message>
    <message>
        <source>分析人</source>
        <translation>Analyst</translation>
    </message>
    <message>
        <source>校核人</source>
        <translation>Reviewer</translation>
    </message>
    <message>
        <source>审核人</source>
        <translation>Approver</translation>
    </message>
    <message>
        <source>报告信息</source>
        <translation>Report Details</translation>
    </message>
</context>
<context>
    <name>analysis::HistoryModel</name>
    <message>
        <source>时间</source>
        <translation>Time</translation>
    </message>
    <message>
        <source>用户</source>
        <translation>User</translation>
    </message>
    <message>
        <source>变更</source>
        <translation>Change</translation>
    </message>
</context>
<context>
    <name>analysis::HistoryTab</name>
    <message>
        <source>记录</source>
        <translation>History</translation>
    </message>
    <message>
        <source>每次修改都记入文件，只增不删；打开文件不改写它的记录。</source>
        <translation>Every change is recorded in the file, never deleted; opening a file does not rewrite its history.</translation>
    </message>
</context>
<context>
    <name>analysis::MethodDialog</name>
    <message>
        <source>保存为方法</source>
        <translation>Save as method</translation>
    </message>
    <message>
        <source>方法保存本文件的全部设置（模型、权重、空白校正、修约、报告方式和质控要求）、浓度单位、结果单位和分析项目，以及验证所得的方法检出限；以后的批次应用它即得到同样的设置。</source>
        <translation>The method keeps every setting of this file (model, weighting, blank correction, rounding, reporting and the quality-check limits), the concentration unit, the result unit and the analyte, with the method detection limit the validation found; a later batch that applies it gets the same settings.</translation>
    </message>
    <message>
        <source>例如 HJ 535-2009 氨氮</source>
        <translation>e.g. HJ 535-2009 ammonia nitrogen</translation>
    </message>
    <message>
        <source>方法名称</source>
        <translation>Method name</translation>
    </message>
    <message>
        <source>方法检出限 MDL</source>
        <translation>Method detection limit MDL</translation>
    </message>
    <message>
        <source>验证日期</source>
        <translation>Validation date</translation>
    </message>
    <message>
        <source>验证文件</source>
        <translation>Validation file</translation>
    </message>
    <message numerus="yes">
        <source>由本文件的%n个检出限样计算（HJ 168），测定下限 4·MDL。</source>
        <translation>
            <numerusform>From this file&apos;s %n MDL replicate (HJ 168); quantitation limit 4·MDL.</numerusform>
            <numerusform>From this file&apos;s %n MDL replicates (HJ 168); quantitation limit 4·MDL.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>由本文件的%n个空白计算（HJ 168），测定下限 4·MDL。</source>
        <translation>
            <numerusform>From this file&apos;s %n blank (HJ 168); quantitation limit 4·MDL.</numerusform>
            <numerusform>From this file&apos;s %n blanks (HJ 168); quantitation limit 4·MDL.</numerusform>
        </translation>
    </message>
    <message>
        <source>本文件没有算出方法检出限（至少需要7个检出限样或空白）：可输入验证所得的值，空着则方法不带检出限。</source>
        <translation>This file gives no method detection limit (at least 7 MDL replicates or blanks are needed): type the value the validation found, or leave it empty for a method without one.</translation>
    </message>
    <message>
        <source>%1（SHA-256 %2）</source>
        <translation>%1 (SHA-256 %2)</translation>
    </message>
    <message>
        <source>无法读取：%1</source>
        <translation>Cannot read: %1</translation>
    </message>
    <message>
        <source>未保存：方法中不记录验证文件的 SHA-256（先保存本文件即可记录）</source>
        <translation>Not saved: the method records no SHA-256 of the validation file (save this file first to record it)</translation>
    </message>
    <message>
        <source>方法名称不能为空</source>
        <translation>The method&apos;s name must not be empty</translation>
    </message>
    <message>
        <source>方法检出限 &quot;%1&quot; 应为大于0的数</source>
        <translation>Method detection limit &quot;%1&quot; must be a number above 0</translation>
    </message>
</context>
<context>
    <name>analysis::ModelControls</name>
    <message>
        <source>模型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>权重</source>
        <translation>Weight</translation>
    </message>
    <message>
        <source>置信水平</source>
        <translation>CI</translation>
    </message>
    <message>
        <source>外标</source>
        <translation>External</translation>
    </message>
    <message>
        <source>标准加入</source>
        <translation>Standard addition</translation>
    </message>
    <message>
        <source>校准方式</source>
        <translation>Calibration</translation>
    </message>
    <message>
        <source>内标</source>
        <translation>Internal standard</translation>
    </message>
</context>
<context>
    <name>analysis::ModelTab</name>
    <message>
        <source>权重比较：各权重下未排除、浓度不为0的标准点反算浓度的相对误差绝对值之和（最小者标 ★）；双击一行即采用该权重。</source>
        <translation>Weighting comparison: for each weighting, the sum of the absolute relative errors of the back-calculated concentrations of the included standards other than zero (the smallest marked ★); double-click a row to use that weighting.</translation>
    </message>
    <message>
        <source>权重</source>
        <translation>Weighting</translation>
    </message>
    <message>
        <source>Σ|相对误差| %</source>
        <translation>Σ|rel. error| %</translation>
    </message>
    <message>
        <source>权重比较</source>
        <translation>Weighting Comparison</translation>
    </message>
    <message>
        <source>截距检验：只用于直线模型，且至少需要3个标准点</source>
        <translation>Intercept test: only for the linear model, with at least 3 standards</translation>
    </message>
    <message>
        <source>截距检验：%1</source>
        <translation>Intercept test: %1</translation>
    </message>
</context>
<context>
    <name>analysis::PlotWidget</name>
    <message>
        <source>尚未计算标准曲线</source>
        <translation>No calibration curve calculated yet</translation>
    </message>
    <message numerus="yes">
        <source>标准曲线图：%n个标准点</source>
        <translation>
            <numerusform>Calibration plot: %n standard</numerusform>
            <numerusform>Calibration plot: %n standards</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>残差图：%n个标准点的残差</source>
        <translation>
            <numerusform>Residual plot: residual of %n standard</numerusform>
            <numerusform>Residual plot: residuals of %n standards</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>标准曲线图：%n个标准点，排除%1个</source>
        <translation>
            <numerusform>Calibration plot: %n standard, %1 excluded</numerusform>
            <numerusform>Calibration plot: %n standards, %1 excluded</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>残差图：%n个标准点的残差，排除%1个</source>
        <translation>
            <numerusform>Residual plot: residual of %n standard, %1 excluded</numerusform>
            <numerusform>Residual plot: residuals of %n standards, %1 excluded</numerusform>
        </translation>
    </message>
    <message>
        <source>%1，%2</source>
        <comment>a list of the plot&apos;s figures</comment>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>标准曲线图</source>
        <translation>Calibration plot</translation>
    </message>
    <message>
        <source>残差图</source>
        <translation>Residual plot</translation>
    </message>
</context>
<context>
    <name>analysis::SampleListModel</name>
    <message>
        <source>超出线性范围</source>
        <translation>Outside linear range</translation>
    </message>
    <message>
        <source>低于检出限</source>
        <translation>Below LOD</translation>
    </message>
    <message>
        <source>低于定量限</source>
        <translation>Below LOQ</translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the flags</comment>
        <translation>, </translation>
    </message>
    <message>
        <source>主窗口的结果：主窗口总是用全部标准点作不加权的直线拟合</source>
        <translation>Main window result: the main window always fits an unweighted straight line through all standards</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>读数</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>稀释倍数</source>
        <translation>Dilution factor</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>所指样品</source>
        <translation>Refers to</translation>
    </message>
    <message>
        <source>加标量</source>
        <translation>Spike added</translation>
    </message>
    <message>
        <source>标称浓度</source>
        <translation>Nominal conc.</translation>
    </message>
    <message>
        <source>标准值</source>
        <translation>Certified value</translation>
    </message>
    <message>
        <source>不确定度U</source>
        <translation>Uncertainty U</translation>
    </message>
    <message>
        <source>平均吸光度</source>
        <translation>Mean absorbance</translation>
    </message>
    <message>
        <source>浓度 x0</source>
        <translation>Concentration x0</translation>
    </message>
    <message>
        <source>标记</source>
        <translation>Flags</translation>
    </message>
    <message>
        <source>质控</source>
        <translation>QC</translation>
    </message>
    <message>
        <source>主窗口结果</source>
        <translation>Main window result</translation>
    </message>
    <message>
        <source>%1% 半宽</source>
        <translation>%1% CI (±)</translation>
    </message>
    <message>
        <source>结果</source>
        <translation>Result</translation>
    </message>
    <message>
        <source>通过 %1</source>
        <translation>Pass %1</translation>
    </message>
    <message>
        <source>未通过 %1</source>
        <translation>Fail %1</translation>
    </message>
    <message>
        <source>由之前的标准曲线计算</source>
        <translation>Calculated from an earlier calibration curve</translation>
    </message>
    <message>
        <source>无检出限</source>
        <translation>No limit of detection</translation>
    </message>
    <message>
        <source>未判定</source>
        <translation>Not judged</translation>
    </message>
    <message>
        <source>；</source>
        <comment>between the verdicts of a row&apos;s rules</comment>
        <translation>; </translation>
    </message>
    <message>
        <source>未判定：%1</source>
        <translation>Not judged: %1</translation>
    </message>
    <message>
        <source>通过：%1</source>
        <translation>Pass: %1</translation>
    </message>
    <message>
        <source>未通过：%1</source>
        <translation>Fail: %1</translation>
    </message>
    <message>
        <source>%1（平行样均值）</source>
        <translation>%1 (mean of duplicates)</translation>
    </message>
    <message>
        <source>平行样均值 %1；本样品 %2</source>
        <translation>Mean of duplicates %1; this sample %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>a column&apos;s title and its unit</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>内标响应</source>
        <translation>IS response</translation>
    </message>
    <message>
        <source>内标浓度</source>
        <translation>IS conc.</translation>
    </message>
    <message>
        <source>内标回收率 %1%</source>
        <translation>Internal standard recovery %1%</translation>
    </message>
</context>
<context>
    <name>analysis::SampleTable</name>
    <message>
        <source>样品</source>
        <translation>Samples</translation>
    </message>
    <message>
        <source>粘贴失败：%1</source>
        <translation>Paste failed: %1</translation>
    </message>
    <message numerus="yes">
        <source>清空样品列表中的全部%n个样品？</source>
        <translation>
            <numerusform>Remove the %n sample from the sample list?</numerusform>
            <numerusform>Remove all %n samples from the sample list?</numerusform>
        </translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>删除所选行</source>
        <translation>Delete Selected Rows</translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation>Clear List</translation>
    </message>
    <message>
        <source>样品名称</source>
        <translation>Sample names</translation>
    </message>
</context>
<context>
    <name>analysis::StandardsModel</name>
    <message>
        <source>排除</source>
        <translation>Excluded</translation>
    </message>
    <message>
        <source>拟合 A</source>
        <translation>Fitted A</translation>
    </message>
    <message>
        <source>残差</source>
        <translation>Residual</translation>
    </message>
    <message>
        <source>反算 C</source>
        <translation>C found</translation>
    </message>
    <message>
        <source>已排除：%1</source>
        <translation>Excluded: %1</translation>
    </message>
    <message>
        <source>排除第%1个标准点的原因：</source>
        <translation>Reason for excluding standard %1:</translation>
    </message>
    <message>
        <source>排除标准点必须说明原因</source>
        <translation>A standard can only be excluded with a reason</translation>
    </message>
    <message>
        <source>可疑离群</source>
        <translation>Suspected outlier</translation>
    </message>
    <message>
        <source>强影响</source>
        <translation>Influential</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>学生化残差</source>
        <translation>Stud. residual</translation>
    </message>
    <message>
        <source>Cook 距离</source>
        <translation>Cook&apos;s D</translation>
    </message>
    <message>
        <source>离群标记</source>
        <translation>Outlier mark</translation>
    </message>
    <message>
        <source>标记只作提示：是否排除由使用者决定，并须注明理由</source>
        <translation>A mark only informs: excluding a standard is your decision, with a reason</translation>
    </message>
    <message>
        <source>相对偏差 (%)</source>
        <translation>Rel. dev. (%)</translation>
    </message>
    <message>
        <source>回收率 (%)</source>
        <translation>Recovery (%)</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <comment>a column&apos;s title and its unit</comment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>取消排除第%1个标准点的原因：</source>
        <translation>Reason for including standard %1 again:</translation>
    </message>
    <message>
        <source>内标响应</source>
        <translation>IS response</translation>
    </message>
    <message>
        <source>内标浓度</source>
        <translation>IS conc.</translation>
    </message>
    <message>
        <source>内标回收率 %1%</source>
        <translation>Internal standard recovery %1%</translation>
    </message>
</context>
<context>
    <name>analysis::StandardsTable</name>
    <message>
        <source>标准点</source>
        <translation>Standards</translation>
    </message>
    <message>
        <source>粘贴失败：%1</source>
        <translation>Paste failed: %1</translation>
    </message>
    <message>
        <source>添加标准点</source>
        <translation>Add Standard</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>删除所选标准点</source>
        <translation>Delete Selected Standards</translation>
    </message>
    <message>
        <source>取消排除第%1点</source>
        <translation>Include standard %1 again</translation>
    </message>
    <message>
        <source>排除第%1点…</source>
        <translation>Exclude standard %1...</translation>
    </message>
</context>
<context>
    <name>analysis::StatisticsModel</name>
    <message>
        <source>截距 a</source>
        <translation>Intercept a</translation>
    </message>
    <message>
        <source>斜率 b</source>
        <translation>Slope b</translation>
    </message>
    <message>
        <source>二次项 c</source>
        <translation>Quadratic term c</translation>
    </message>
    <message>
        <source>相关系数 r</source>
        <translation>Correlation coeff. r</translation>
    </message>
    <message>
        <source>决定系数 R²</source>
        <translation>Determination coeff. R²</translation>
    </message>
    <message>
        <source>剩余标准差 s(y/x)</source>
        <translation>Residual SD s(y/x)</translation>
    </message>
    <message>
        <source>检出限 LOD</source>
        <translation>Detection limit LOD</translation>
    </message>
    <message>
        <source>定量限 LOQ</source>
        <translation>Quantification limit LOQ</translation>
    </message>
    <message>
        <source>统计量</source>
        <translation>Statistics</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>%1% 半宽 (±)</source>
        <translation>%1% CI (±)</translation>
    </message>
    <message>
        <source>响应因子 F</source>
        <translation>Response factor F</translation>
    </message>
</context>
<context>
    <name>analysis::UncertaintySettingsRow</name>
    <message>
        <source>不评定</source>
        <translation>None</translation>
    </message>
    <message>
        <source>自下而上</source>
        <translation>Bottom-up</translation>
    </message>
    <message>
        <source>自上而下（质控数据）</source>
        <translation>Top-down (QC data)</translation>
    </message>
    <message>
        <source>由加标样</source>
        <translation>From spikes</translation>
    </message>
    <message>
        <source>不确定度</source>
        <translation>Uncertainty</translation>
    </message>
    <message>
        <source>体积</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>稀释</source>
        <translation>Dilution</translation>
    </message>
    <message>
        <source>标准物质</source>
        <translation>Standard stock</translation>
    </message>
    <message>
        <source>回收率</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>包含因子</source>
        <translation>Coverage</translation>
    </message>
    <message>
        <source>各分量为相对标准不确定度（%），对本批每个结果都适用；方法文件中的容差按其分布换算。</source>
        <translation>Each component is a relative standard uncertainty (%) applying to every result of the batch; a tolerance from a method file is converted by its distribution.</translation>
    </message>
</context>
<context>
    <name>analysis::UncertaintyTab</name>
    <message>
        <source>u_c = %1，u_c,rel = %2，k = %3</source>
        <translation>u_c = %1, u_c,rel = %2, k = %3</translation>
    </message>
    <message>
        <source>分量</source>
        <translation>Component</translation>
    </message>
    <message>
        <source>输入</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>标准不确定度</source>
        <translation>Standard uncertainty</translation>
    </message>
    <message>
        <source>相对标准不确定度</source>
        <translation>Relative standard uncertainty</translation>
    </message>
    <message>
        <source>占比</source>
        <translation>Share</translation>
    </message>
    <message>
        <source>未选择不确定度的评定方式（样品页的批次设置）。</source>
        <translation>No way of evaluating the uncertainty is chosen (the batch settings on the Samples page).</translation>
    </message>
    <message>
        <source>在样品表中选择一个样品，显示其不确定度评定。</source>
        <translation>Select a sample in the sample table to show its uncertainty budget.</translation>
    </message>
    <message>
        <source>“%1”：没有不确定度（%2）</source>
        <translation>“%1”: no uncertainty (%2)</translation>
    </message>
    <message>
        <source>k = %1</source>
        <translation>k = %1</translation>
    </message>
    <message>
        <source>，ν_eff = %1</source>
        <translation>, ν_eff = %1</translation>
    </message>
    <message>
        <source>“%1”：%2 ± %3 %4（%5；u_c,rel = %6）</source>
        <translation>“%1”: %2 ± %3 %4 (%5; u_c,rel = %6)</translation>
    </message>
    <message>
        <source>k = t(0.975; ν_eff)</source>
        <translation>k = t(0.975; ν_eff)</translation>
    </message>
    <message>
        <source>测量不确定度：自下而上评定（校准曲线及各分量的相对标准不确定度合成），%1；U 取两位有效数字，只进不舍。</source>
        <translation>Measurement uncertainty: bottom-up (the relative standard uncertainties of the calibration and the components combined), %1; U to two significant digits, rounded up.</translation>
    </message>
    <message>
        <source>测量不确定度：自上而下评定（期间精密度 u(Rw) 与偏倚 u(bias)，来自质控数据库），%1；U 取两位有效数字，只进不舍。</source>
        <translation>Measurement uncertainty: top-down (within-laboratory reproducibility u(Rw) and bias u(bias) from the quality-control database), %1; U to two significant digits, rounded up.</translation>
    </message>
    <message>
        <source>%1 %2（%3；占 %4）</source>
        <translation>%1 %2 (%3; share %4)</translation>
    </message>
    <message>
        <source>典型样品“%1”的不确定度评定：%2；u_c,rel = %3，U = %4 %5，结果 %6 ± %4 %5。</source>
        <translation>Uncertainty budget of the typical sample “%1”: %2; u_c,rel = %3, U = %4 %5, result %6 ± %4 %5.</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
</context>
<context>
    <name>analysis::ValidationTab</name>
    <message>
        <source>报告检出限</source>
        <translation>Limit</translation>
    </message>
    <message>
        <source>置信带</source>
        <translation>Conf. band</translation>
    </message>
    <message>
        <source>预测带</source>
        <translation>Pred. band</translation>
    </message>
    <message>
        <source>项目</source>
        <translation>Item</translation>
    </message>
    <message>
        <source>数值</source>
        <translation>Value</translation>
    </message>
    <message>
        <source>判据</source>
        <translation>Criterion</translation>
    </message>
    <message>
        <source>结论</source>
        <translation>Conclusion</translation>
    </message>
    <message>
        <source>验证</source>
        <translation>Validation</translation>
    </message>
</context>
<context>
    <name>app::AnalysisAccess</name>
    <message>
        <source>标准曲线分析 (F2)</source>
        <translation>Calibration Curve Analysis (F2)</translation>
    </message>
    <message>
        <source>双击打开标准曲线分析 (F2)</source>
        <translation>Double-click to open the calibration curve analysis (F2)</translation>
    </message>
</context>
<context>
    <name>app::CalibrationFiles</name>
    <message>
        <source>Lumetra 标准曲线文件 (*.lumetra);;所有文件 (*)</source>
        <translation>Lumetra calibration files (*.lumetra);;All files (*)</translation>
    </message>
    <message>
        <source>无法保存%1：无法创建文件夹 %2</source>
        <translation>Cannot save %1: cannot create the folder %2</translation>
    </message>
    <message>
        <source>打开…</source>
        <translation>Open...</translation>
    </message>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>另存为…</source>
        <translation>Save As...</translation>
    </message>
    <message>
        <source>工作表或样品列表中已有数据</source>
        <translation>The worksheet or the sample list holds data</translation>
    </message>
    <message>
        <source>工作表中已有数据</source>
        <translation>The worksheet holds data</translation>
    </message>
    <message>
        <source>%1，将被%2替换。是否继续？</source>
        <translation>%1, which will be replaced by %2. Continue?</translation>
    </message>
    <message>
        <source>打开标准曲线文件</source>
        <translation>Open Calibration File</translation>
    </message>
    <message>
        <source>无法打开：%1</source>
        <translation>Cannot open: %1</translation>
    </message>
    <message>
        <source>“%1”的内容</source>
        <translation>the contents of “%1”</translation>
    </message>
    <message>
        <source>没有上次的数据</source>
        <translation>No last data</translation>
    </message>
    <message>
        <source>无法恢复上次的数据：%1</source>
        <translation>Cannot restore the last data: %1</translation>
    </message>
    <message>
        <source>上次的数据</source>
        <translation>the last data</translation>
    </message>
    <message>
        <source>导入标准点CSV</source>
        <translation>Import Standards CSV</translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv);;文本文件 (*.txt *.tsv);;所有文件 (*)</source>
        <translation>CSV files (*.csv);;Text files (*.txt *.tsv);;All files (*)</translation>
    </message>
    <message>
        <source>无法导入：%1</source>
        <translation>Cannot import: %1</translation>
    </message>
    <message>
        <source>“%1”中的标准点</source>
        <translation>the standards in “%1”</translation>
    </message>
    <message>
        <source>标准曲线.lumetra</source>
        <translation>calibration curve.lumetra</translation>
    </message>
    <message>
        <source>保存标准曲线文件</source>
        <translation>Save Calibration File</translation>
    </message>
    <message>
        <source>无法保存：没有可保存的数据</source>
        <translation>Cannot save: no data to save</translation>
    </message>
    <message>
        <source>保存失败：%1</source>
        <translation>Saving failed: %1</translation>
    </message>
    <message>
        <source>标准曲线数据有未保存的修改。是否保存？</source>
        <translation>The calibration data has unsaved changes. Save them?</translation>
    </message>
    <message>
        <source>备份</source>
        <translation>the backup</translation>
    </message>
    <message>
        <source>无法保存备份：%1</source>
        <translation>Cannot save the backup: %1</translation>
    </message>
    <message>
        <source>无法保存上次的数据：%1</source>
        <translation>Cannot save the last data: %1</translation>
    </message>
</context>
<context>
    <name>app::LanguageMenu</name>
    <message>
        <source>语言 / Language</source>
        <extracomment>Kept in both languages, so that whoever cannot read the interface still finds it.</extracomment>
        <translation>语言 / Language</translation>
    </message>
    <message>
        <source>界面语言将在下次启动时切换为中文。</source>
        <translation>The interface will switch to Chinese at the next start.</translation>
    </message>
    <message>
        <source>界面语言将在下次启动时切换为English。</source>
        <translation>The interface will switch to English at the next start.</translation>
    </message>
</context>
<context>
    <name>app::WorksheetLink</name>
    <message>
        <source>标准加入模式，主窗口不显示此曲线</source>
        <translation>Standard addition: the main window does not show this curve</translation>
    </message>
</context>
<context>
    <name>calibration</name>
    <message>
        <source>缺少所指的样品名称</source>
        <translation>the name of the sample it refers to is missing</translation>
    </message>
    <message>
        <source>找不到样品 %1</source>
        <translation>sample %1 not found</translation>
    </message>
    <message>
        <source>样品名称 %1 不唯一</source>
        <translation>sample name %1 is not unique</translation>
    </message>
    <message>
        <source>空白 %1 浓度 %2 不低于检出限 %3</source>
        <translation>blank %1: concentration %2 not below the LOD %3</translation>
    </message>
    <message>
        <source>所指样品没有结果</source>
        <translation>the sample it refers to has no result</translation>
    </message>
    <message>
        <source>两个结果之和不大于0，相对偏差无意义</source>
        <translation>the two results add up to 0 or less: no relative deviation</translation>
    </message>
    <message>
        <source>平行样 %1 相对偏差 %2%，要求≤%3%</source>
        <translation>duplicate %1: RPD %2%, required ≤%3%</translation>
    </message>
    <message>
        <source>加标量不能为0</source>
        <translation>the spike added must not be 0</translation>
    </message>
    <message>
        <source>加标回收率 %1%，要求%2–%3%</source>
        <translation>spike recovery %1%, required %2–%3%</translation>
    </message>
    <message>
        <source>标称浓度不能为0</source>
        <translation>the nominal concentration must not be 0</translation>
    </message>
    <message>
        <source>校准核查相对误差 %1%，要求±%2%</source>
        <translation>check standard relative error %1%, required ±%2%</translation>
    </message>
    <message>
        <source>质控样 %1 |结果−标准值| %2，要求≤U %3</source>
        <translation>reference material %1: |result − certified value| %2, required ≤U %3</translation>
    </message>
    <message>
        <source>质控：没有质控项</source>
        <translation>QC: no QC items</translation>
    </message>
    <message>
        <source>质控：%1项全部通过</source>
        <translation>QC: all %1 items passed</translation>
    </message>
    <message>
        <source>质控：%1项通过，%2项未通过（%3）</source>
        <translation>QC: %1 items passed, %2 failed (%3)</translation>
    </message>
    <message>
        <source>类型 %1 无法识别</source>
        <translation>type %1 not recognized</translation>
    </message>
    <message>
        <source>至少需要2个空白</source>
        <translation>at least 2 blanks needed</translation>
    </message>
    <message>
        <source>至少需要7个空白或检出限样</source>
        <translation>at least 7 blanks or MDL spikes needed</translation>
    </message>
    <message>
        <source>校准曲线 r = %1，要求r ≥ %2</source>
        <translation>calibration curve r = %1, required r ≥ %2</translation>
    </message>
    <message>
        <source>浓度为空</source>
        <translation>concentration is empty</translation>
    </message>
    <message>
        <source>浓度 %1 不是数字</source>
        <translation>concentration %1 is not a number</translation>
    </message>
    <message>
        <source>浓度 %1 超出数值范围</source>
        <translation>concentration %1 is out of range</translation>
    </message>
    <message>
        <source>吸光度为空</source>
        <translation>absorbance is empty</translation>
    </message>
    <message>
        <source>吸光度 %1 不是数字</source>
        <translation>absorbance %1 is not a number</translation>
    </message>
    <message>
        <source>吸光度 %1 超出数值范围</source>
        <translation>absorbance %1 is out of range</translation>
    </message>
    <message>
        <source>读数为空</source>
        <translation>reading is empty</translation>
    </message>
    <message>
        <source>读数 %1 不是数字</source>
        <translation>reading %1 is not a number</translation>
    </message>
    <message>
        <source>读数 %1 超出数值范围</source>
        <translation>reading %1 is out of range</translation>
    </message>
    <message>
        <source>稀释倍数为空</source>
        <translation>dilution factor is empty</translation>
    </message>
    <message>
        <source>稀释倍数 %1 不是数字</source>
        <translation>dilution factor %1 is not a number</translation>
    </message>
    <message>
        <source>稀释倍数 %1 超出数值范围</source>
        <translation>dilution factor %1 is out of range</translation>
    </message>
    <message>
        <source>缺少加标量</source>
        <translation>spike added is missing</translation>
    </message>
    <message>
        <source>加标量 %1 不是数字</source>
        <translation>spike added %1 is not a number</translation>
    </message>
    <message>
        <source>加标量 %1 超出数值范围</source>
        <translation>spike added %1 is out of range</translation>
    </message>
    <message>
        <source>缺少标称浓度</source>
        <translation>nominal concentration is missing</translation>
    </message>
    <message>
        <source>标称浓度 %1 不是数字</source>
        <translation>nominal concentration %1 is not a number</translation>
    </message>
    <message>
        <source>标称浓度 %1 超出数值范围</source>
        <translation>nominal concentration %1 is out of range</translation>
    </message>
    <message>
        <source>缺少标准值</source>
        <translation>certified value is missing</translation>
    </message>
    <message>
        <source>标准值 %1 不是数字</source>
        <translation>certified value %1 is not a number</translation>
    </message>
    <message>
        <source>标准值 %1 超出数值范围</source>
        <translation>certified value %1 is out of range</translation>
    </message>
    <message>
        <source>缺少不确定度U</source>
        <translation>uncertainty U is missing</translation>
    </message>
    <message>
        <source>不确定度U %1 不是数字</source>
        <translation>uncertainty U %1 is not a number</translation>
    </message>
    <message>
        <source>不确定度U %1 超出数值范围</source>
        <translation>uncertainty U %1 is out of range</translation>
    </message>
    <message>
        <source>取样量为空</source>
        <translation>sample volume is empty</translation>
    </message>
    <message>
        <source>取样量 %1 不是数字</source>
        <translation>sample volume %1 is not a number</translation>
    </message>
    <message>
        <source>取样量 %1 超出数值范围</source>
        <translation>sample volume %1 is out of range</translation>
    </message>
    <message>
        <source>换算系数为空</source>
        <translation>conversion factor is empty</translation>
    </message>
    <message>
        <source>换算系数 %1 不是数字</source>
        <translation>conversion factor %1 is not a number</translation>
    </message>
    <message>
        <source>换算系数 %1 超出数值范围</source>
        <translation>conversion factor %1 is out of range</translation>
    </message>
    <message>
        <source>样品</source>
        <translation>Sample</translation>
    </message>
    <message>
        <source>空白</source>
        <translation>Blank</translation>
    </message>
    <message>
        <source>平行样</source>
        <translation>Duplicate</translation>
    </message>
    <message>
        <source>加标样</source>
        <translation>Spiked sample</translation>
    </message>
    <message>
        <source>校准核查</source>
        <translation>Check standard</translation>
    </message>
    <message>
        <source>质控样</source>
        <translation>Reference material</translation>
    </message>
    <message>
        <source>检出限样</source>
        <translation>MDL spike</translation>
    </message>
    <message>
        <source>没有读数</source>
        <translation>no readings</translation>
    </message>
    <message>
        <source>读数有%1个，最多%2个</source>
        <translation>%1 readings, at most %2</translation>
    </message>
    <message>
        <source>标准点超过%1个，主窗口不显示此曲线</source>
        <translation>more than %1 standards: the main window does not show this curve</translation>
    </message>
    <message>
        <source>只有%1个标准点，主窗口至少需要%2个</source>
        <translation>only %1 standards: the main window needs at least %2</translation>
    </message>
    <message>
        <source>浓度 %1 超过%2个字符，主窗口不显示此曲线</source>
        <translation>concentration %1 is longer than %2 characters: the main window does not show this curve</translation>
    </message>
    <message>
        <source>吸光度 %1 超过%2个字符，主窗口不显示此曲线</source>
        <translation>absorbance %1 is longer than %2 characters: the main window does not show this curve</translation>
    </message>
    <message>
        <source>第%1个标准点</source>
        <translation>standard %1</translation>
    </message>
    <message>
        <source>第%1个样品</source>
        <translation>sample %1</translation>
    </message>
    <message>
        <source>主窗口的拟合</source>
        <translation>Main window fit</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>在表中添加</source>
        <translation>Added in the table</translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation>Paste</translation>
    </message>
    <message>
        <source>文件</source>
        <translation>File</translation>
    </message>
    <message>
        <source>命令行</source>
        <translation>Command line</translation>
    </message>
    <message>
        <source>浓度</source>
        <translation>Concentration</translation>
    </message>
    <message>
        <source>吸光度</source>
        <translation>Absorbance</translation>
    </message>
    <message>
        <source>名称</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>读数</source>
        <translation>Readings</translation>
    </message>
    <message>
        <source>稀释倍数</source>
        <translation>Dilution factor</translation>
    </message>
    <message>
        <source>类型</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>所指样品</source>
        <translation>Refers to</translation>
    </message>
    <message>
        <source>加标量</source>
        <translation>Spike added</translation>
    </message>
    <message>
        <source>标称浓度</source>
        <translation>Nominal concentration</translation>
    </message>
    <message>
        <source>标准值</source>
        <translation>Certified value</translation>
    </message>
    <message>
        <source>不确定度U</source>
        <translation>Uncertainty U</translation>
    </message>
    <message>
        <source>模型</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>权重</source>
        <translation>Weighting</translation>
    </message>
    <message>
        <source>置信水平</source>
        <translation>Confidence level</translation>
    </message>
    <message>
        <source>报告检出限</source>
        <translation>Reported limit of detection</translation>
    </message>
    <message>
        <source>空白校正</source>
        <translation>Blank correction</translation>
    </message>
    <message>
        <source>取样量</source>
        <translation>Sample volume</translation>
    </message>
    <message>
        <source>取样量单位</source>
        <translation>Volume unit</translation>
    </message>
    <message>
        <source>结果单位</source>
        <translation>Reporting unit</translation>
    </message>
    <message>
        <source>换算系数</source>
        <translation>Conversion factor</translation>
    </message>
    <message>
        <source>修约</source>
        <translation>Rounding</translation>
    </message>
    <message>
        <source>位数</source>
        <translation>Digits</translation>
    </message>
    <message>
        <source>低于检出限时</source>
        <translation>Below LOD</translation>
    </message>
    <message>
        <source>r 下限</source>
        <translation>Minimum r</translation>
    </message>
    <message>
        <source>平行样相对偏差上限</source>
        <translation>Max. duplicate RPD</translation>
    </message>
    <message>
        <source>加标回收率下限</source>
        <translation>Min. spike recovery</translation>
    </message>
    <message>
        <source>加标回收率上限</source>
        <translation>Max. spike recovery</translation>
    </message>
    <message>
        <source>校准核查相对误差上限</source>
        <translation>Max. check standard error</translation>
    </message>
    <message>
        <source>实验室</source>
        <translation>Laboratory</translation>
    </message>
    <message>
        <source>项目/批号</source>
        <translation>Batch No.</translation>
    </message>
    <message>
        <source>方法</source>
        <translation>Method</translation>
    </message>
    <message>
        <source>分析项目</source>
        <translation>Analyte</translation>
    </message>
    <message>
        <source>仪器</source>
        <translation>Instrument</translation>
    </message>
    <message>
        <source>仪器编号</source>
        <translation>Instrument No.</translation>
    </message>
    <message>
        <source>波长</source>
        <translation>Wavelength</translation>
    </message>
    <message>
        <source>比色皿光程</source>
        <translation>Path length</translation>
    </message>
    <message>
        <source>分析日期</source>
        <translation>Analysis date</translation>
    </message>
    <message>
        <source>分析人</source>
        <translation>Analyst</translation>
    </message>
    <message>
        <source>校核人</source>
        <translation>Reviewer</translation>
    </message>
    <message>
        <source>审核人</source>
        <translation>Approver</translation>
    </message>
    <message>
        <source>记录从此开始</source>
        <translation>History started</translation>
    </message>
    <message>
        <source>打开文件 %1</source>
        <translation>Opened %1</translation>
    </message>
    <message>
        <source>保存到文件 %1</source>
        <translation>Saved to %1</translation>
    </message>
    <message>
        <source>标准点由%1替换为%2个</source>
        <translation>Standards replaced (%1): %2 standards</translation>
    </message>
    <message>
        <source>在第%1个位置插入%2个标准点</source>
        <translation>Inserted at position %1: %2 standards</translation>
    </message>
    <message>
        <source>删除标准点 %1</source>
        <translation>Standards deleted: %1</translation>
    </message>
    <message>
        <source>排除第%1个标准点，原因：%2</source>
        <translation>Standard %1 excluded, reason: %2</translation>
    </message>
    <message>
        <source>取消排除第%1个标准点</source>
        <translation>Standard %1 included again</translation>
    </message>
    <message>
        <source>由%1添加%2个样品（自第%3行）</source>
        <translation>Samples added (%1): %2, from row %3</translation>
    </message>
    <message>
        <source>删除%1个样品：%2</source>
        <translation>Samples deleted (%1): %2</translation>
    </message>
    <message>
        <source>清空样品列表（%1个样品）</source>
        <translation>Sample list cleared (%1 samples)</translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>直线</source>
        <translation>Linear</translation>
    </message>
    <message>
        <source>过原点</source>
        <translation>Through origin</translation>
    </message>
    <message>
        <source>二次</source>
        <translation>Quadratic</translation>
    </message>
    <message>
        <source>无</source>
        <translation>None</translation>
    </message>
    <message>
        <source>%1模型至少需要%2个未排除的标准点</source>
        <translation>%1 model: at least %2 standards must be included</translation>
    </message>
    <message>
        <source>浓度全部相同，无法拟合直线</source>
        <translation>all concentrations are equal: no straight line can be fitted</translation>
    </message>
    <message>
        <source>浓度全部为0，无法拟合过原点的直线</source>
        <translation>all concentrations are 0: no line through the origin can be fitted</translation>
    </message>
    <message>
        <source>二次模型至少需要3个不同的浓度</source>
        <translation>the quadratic model needs at least 3 different concentrations</translation>
    </message>
    <message>
        <source>权重%1要求浓度不为0：第%2个标准点为0，请排除该点或选择其他权重</source>
        <translation>weighting %1 needs concentrations other than 0: standard %2 is 0; exclude it or choose another weighting</translation>
    </message>
    <message>
        <source>权重%1要求浓度为正：第%2个标准点为负，请排除该点或选择其他权重</source>
        <translation>weighting %1 needs positive concentrations: standard %2 is negative; exclude it or choose another weighting</translation>
    </message>
    <message>
        <source>权重%1要求吸光度不为0：第%2个标准点为0，请排除该点或选择其他权重</source>
        <translation>weighting %1 needs absorbances other than 0: standard %2 is 0; exclude it or choose another weighting</translation>
    </message>
    <message>
        <source>权重%1要求吸光度为正：第%2个标准点为负，请排除该点或选择其他权重</source>
        <translation>weighting %1 needs positive absorbances: standard %2 is negative; exclude it or choose another weighting</translation>
    </message>
    <message>
        <source>权重1/s²要求每个浓度至少有2个标准点：第%1个标准点的浓度只有它一个，请排除该点或选择其他权重</source>
        <translation>weighting 1/s² needs at least 2 standards at each concentration: standard %1 is the only one at its concentration; exclude it or choose another weighting</translation>
    </message>
    <message>
        <source>权重1/s²无法使用：第%1个标准点所在浓度的吸光度全部相同</source>
        <translation>weighting 1/s² cannot be used: the absorbances at the concentration of standard %1 are all equal</translation>
    </message>
    <message>
        <source>过原点模型没有截距</source>
        <translation>the model through the origin has no intercept</translation>
    </message>
    <message>
        <source>只有二次模型有二次项</source>
        <translation>only the quadratic model has a quadratic term</translation>
    </message>
    <message>
        <source>吸光度全部相同</source>
        <translation>all absorbances are equal</translation>
    </message>
    <message>
        <source>LOD和LOQ只用于不加权的直线模型；请用验证中空白或检出限样的检出限</source>
        <translation>LOD and LOQ only for the unweighted linear model; use the blank or MDL spike limits under Validation</translation>
    </message>
    <message>
        <source>只用于直线模型</source>
        <translation>only for the linear model</translation>
    </message>
    <message>
        <source>至少需要4个未排除的标准点</source>
        <translation>at least 4 included standards needed</translation>
    </message>
    <message>
        <source>无法拟合不加权的直线</source>
        <translation>the unweighted line cannot be fitted</translation>
    </message>
    <message>
        <source>二次拟合的剩余方差为0：各点恰好在一条曲线上</source>
        <translation>the residual variance of the quadratic fit is 0: all points lie exactly on a curve</translation>
    </message>
    <message>
        <source>无法拟合二次曲线</source>
        <translation>the quadratic curve cannot be fitted</translation>
    </message>
    <message>
        <source>没有重复测定的浓度</source>
        <translation>no concentration has replicate standards</translation>
    </message>
    <message>
        <source>至少需要3个不同的浓度</source>
        <translation>at least 3 different concentrations needed</translation>
    </message>
    <message>
        <source>各浓度的重复读数全部相同，且直线恰好通过各浓度的均值</source>
        <translation>the replicate readings at each concentration are all equal and the line passes exactly through their means</translation>
    </message>
    <message>
        <source>无法计算</source>
        <translation>cannot be calculated</translation>
    </message>
    <message>
        <source>剩余标准差为0</source>
        <translation>residual standard deviation is 0</translation>
    </message>
    <message>
        <source>斜率为0</source>
        <translation>slope is 0</translation>
    </message>
    <message>
        <source>权重%1</source>
        <translation>weighting %1</translation>
    </message>
    <message>
        <source>第%1点：%2</source>
        <translation>standard %1: %2</translation>
    </message>
    <message>
        <source>，排除%1点（%2）</source>
        <translation>, %1 excluded (%2)</translation>
    </message>
    <message>
        <source>尚未计算标准曲线</source>
        <translation>no calibration curve calculated yet</translation>
    </message>
    <message>
        <source>数值超出可计算的范围</source>
        <translation>value beyond the calculable range</translation>
    </message>
    <message>
        <source>至少需要%1个标准点</source>
        <translation>at least %1 standards needed</translation>
    </message>
    <message>
        <source>空白校正无法使用：没有浓度为0的标准点</source>
        <translation>blank correction not possible: no standard of concentration 0</translation>
    </message>
    <message>
        <source>斜率为0，无法由吸光度计算浓度</source>
        <translation>slope is 0: no concentration can be calculated from an absorbance</translation>
    </message>
    <message>
        <source>无实数解</source>
        <translation>no real solution</translation>
    </message>
    <message>
        <source>曲线在此处斜率为0</source>
        <translation>the curve&apos;s slope is 0 here</translation>
    </message>
    <message>
        <source>此处无法取权重（浓度或吸光度不为正）</source>
        <translation>no weight here (concentration or absorbance not positive)</translation>
    </message>
    <message>
        <source>方程无正根：残差相对于浓度范围太大</source>
        <translation>the equation has no positive root: residuals too large for the concentration range</translation>
    </message>
    <message>
        <source>；</source>
        <translation>; </translation>
    </message>
    <message>
        <source>未检出</source>
        <translation>not detected</translation>
    </message>
    <message>
        <source>，</source>
        <translation>, </translation>
    </message>
    <message>
        <source>不加权</source>
        <translation>unweighted</translation>
    </message>
    <message>
        <source>校准曲线 |r| = %1，要求|r| ≥ %2</source>
        <translation>calibration curve |r| = %1, required |r| ≥ %2</translation>
    </message>
    <message>
        <source>1点超出3s控制限</source>
        <translation>One point beyond 3s</translation>
    </message>
    <message>
        <source>连续9点落在中心线同一侧</source>
        <translation>Nine points in a row on one side of the centre line</translation>
    </message>
    <message>
        <source>连续6点递增或递减</source>
        <translation>Six points in a row increasing or decreasing</translation>
    </message>
    <message>
        <source>连续14点交替上下</source>
        <translation>Fourteen points in a row alternating up and down</translation>
    </message>
    <message>
        <source>连续3点中有2点在同一侧超出2s</source>
        <translation>Two of three points in a row beyond 2s on one side</translation>
    </message>
    <message>
        <source>连续5点中有4点在同一侧超出1s</source>
        <translation>Four of five points in a row beyond 1s on one side</translation>
    </message>
    <message>
        <source>连续15点落在±1s以内</source>
        <translation>Fifteen points in a row within ±1s</translation>
    </message>
    <message>
        <source>连续8点超出±1s（中心线两侧均可）</source>
        <translation>Eight points in a row beyond ±1s (on either side of the centre line)</translation>
    </message>
    <message>
        <source>1点超出2s（警告）</source>
        <translation>One point beyond 2s (warning)</translation>
    </message>
    <message>
        <source>1点超出3s</source>
        <translation>One point beyond 3s</translation>
    </message>
    <message>
        <source>连续2点在同一侧超出2s</source>
        <translation>Two points in a row beyond 2s on one side</translation>
    </message>
    <message>
        <source>相邻2点一点超出+2s、另一点超出-2s</source>
        <translation>Two points in a row, one beyond +2s and the other beyond -2s</translation>
    </message>
    <message>
        <source>连续4点在同一侧超出1s</source>
        <translation>Four points in a row beyond 1s on one side</translation>
    </message>
    <message>
        <source>连续10点落在中心线同一侧</source>
        <translation>Ten points in a row on one side of the centre line</translation>
    </message>
    <message>
        <source>参考期至少需要7个点</source>
        <translation>The reference period needs at least 7 points</translation>
    </message>
    <message>
        <source>参考期应为点数或日期范围，如 20 或 2026-01-01..2026-03-31</source>
        <translation>The reference period must be a number of points or a date range, such as 20 or 2026-01-01..2026-03-31</translation>
    </message>
    <message>
        <source>参考期的起始日期晚于结束日期</source>
        <translation>The reference period starts after it ends</translation>
    </message>
    <message>
        <source>参考期的数值全部相同，无法确定控制限</source>
        <translation>All values of the reference period are equal: no control limits can be set</translation>
    </message>
    <message>
        <source>冻结的控制限无效</source>
        <translation>The frozen control limits are not valid</translation>
    </message>
    <message>
        <source>质控数据库 %1 正被另一个程序占用，等待%2秒后仍未释放，请稍后再试</source>
        <translation>The QC database %1 is in use by another program and was not released after %2 s; try again later</translation>
    </message>
    <message>
        <source>质控数据库 %1 所在的磁盘已满，未写入任何内容：%2</source>
        <translation>The disk of the QC database %1 is full; nothing was written: %2</translation>
    </message>
    <message>
        <source>没有写入质控数据库 %1 的权限：%2</source>
        <translation>No permission to write to the QC database %1: %2</translation>
    </message>
    <message>
        <source>无法连接质控数据库 %1：%2</source>
        <translation>Cannot connect to the QC database %1: %2</translation>
    </message>
    <message>
        <source>质控数据库 %1 出错：%2</source>
        <translation>Error in the QC database %1: %2</translation>
    </message>
    <message>
        <source>质控数据库 %1 由较新版本的 Lumetra 建立（结构版本%2，本程序为%3），请升级本程序</source>
        <translation>The QC database %1 was set up by a newer Lumetra (schema version %2, this program knows %3); please upgrade this program</translation>
    </message>
    <message>
        <source>批次标识 &quot;%1&quot; 不是64位十六进制的 SHA-256</source>
        <translation>The batch identity &quot;%1&quot; is not a SHA-256 of 64 hexadecimal digits</translation>
    </message>
    <message>
        <source>归档时间 &quot;%1&quot; 不是 ISO 8601 时间</source>
        <translation>The filing time &quot;%1&quot; is not an ISO 8601 time</translation>
    </message>
    <message>
        <source>无法打开质控数据库 %1：缺少 Qt 的 %2 驱动（Debian 软件包 %3）</source>
        <translation>Cannot open the QC database %1: Qt&apos;s %2 driver is missing (Debian package %3)</translation>
    </message>
    <message>
        <source>未知的质控序列 &quot;%1&quot;</source>
        <translation>Unknown QC series &quot;%1&quot;</translation>
    </message>
    <message>
        <source>无法写入 %1：%2</source>
        <translation>Cannot write %1: %2</translation>
    </message>
    <message>
        <source>质控数据库地址 &quot;%1&quot; 无效：应为 sqlite:文件 或 postgresql://用户@主机:端口/数据库</source>
        <translation>The QC database address &quot;%1&quot; is not valid: it must be sqlite:FILE or postgresql://USER@HOST:PORT/DATABASE</translation>
    </message>
    <message>
        <source>质控数据库地址不得包含密码（请使用 ~/.pgpass 或 PGPASSWORD）</source>
        <translation>The QC database address must not hold a password (use ~/.pgpass or PGPASSWORD)</translation>
    </message>
    <message>
        <source>未设定报告检出限：%1</source>
        <translation>no reported limit of detection: %1</translation>
    </message>
    <message>
        <source>所指样品是本行自身</source>
        <translation>the row refers to itself</translation>
    </message>
    <message>
        <source>空白 %1 平均吸光度 %2，要求≤%3</source>
        <translation>blank %1: mean absorbance %2, required ≤%3</translation>
    </message>
    <message>
        <source>校准曲线</source>
        <translation>calibration curve</translation>
    </message>
    <message>
        <source>质控：%1项通过，%2项未判定（%3）</source>
        <translation>QC: %1 items passed, %2 not judged (%3)</translation>
    </message>
    <message>
        <source>质控：%1项通过，%2项未通过，%3项未判定（%4）</source>
        <translation>QC: %1 items passed, %2 failed, %3 not judged (%4)</translation>
    </message>
    <message>
        <source>%1；未设定报告检出限</source>
        <translation>%1; no reported limit of detection</translation>
    </message>
    <message>
        <source>浓度单位</source>
        <translation>Concentration unit</translation>
    </message>
    <message>
        <source>切换值以下的小数位数</source>
        <translation>Decimal places below the switch</translation>
    </message>
    <message>
        <source>修约切换值</source>
        <translation>Rounding switch value</translation>
    </message>
    <message>
        <source>空白吸光度上限</source>
        <translation>Maximum blank absorbance</translation>
    </message>
    <message>
        <source>方法验证的检出限</source>
        <translation>Validated limits of the method</translation>
    </message>
    <message>
        <source>（空）</source>
        <translation>(empty)</translation>
    </message>
    <message>
        <source>方法检出限</source>
        <translation>method detection limit</translation>
    </message>
    <message>
        <source>开</source>
        <translation>on</translation>
    </message>
    <message>
        <source>关</source>
        <translation>off</translation>
    </message>
    <message>
        <source>有效数字</source>
        <translation>significant figures</translation>
    </message>
    <message>
        <source>小数位数</source>
        <translation>decimal places</translation>
    </message>
    <message>
        <source>小数位数/有效数字切换</source>
        <translation>decimals / significant figures switch</translation>
    </message>
    <message>
        <source>&lt;检出限</source>
        <translation>&lt;LOD</translation>
    </message>
    <message>
        <source>检出限L</source>
        <translation>LOD followed by L</translation>
    </message>
    <message>
        <source>、</source>
        <translation>, </translation>
    </message>
    <message>
        <source>第%1个标准点的%2：%3 → %4</source>
        <translation>Standard %1, %2: %3 → %4</translation>
    </message>
    <message>
        <source>第%1个样品的%2：%3 → %4</source>
        <translation>Sample %1, %2: %3 → %4</translation>
    </message>
    <message>
        <source>报告信息的%1：%2 → %3</source>
        <translation>Report details, %1: %2 → %3</translation>
    </message>
    <message>
        <source>保存方法 %1 到文件 %2（SHA-256 %3）</source>
        <translation>Method %1 saved to file %2 (SHA-256 %3)</translation>
    </message>
    <message>
        <source>%1：%2 → %3</source>
        <translation>%1: %2 → %3</translation>
    </message>
    <message>
        <source>%1 的%2：%3 → %4</source>
        <translation>%1, %2: %3 → %4</translation>
    </message>
    <message>
        <source>应用方法 %1（SHA-256 %2），未改变任何设置</source>
        <translation>Method %1 applied (SHA-256 %2), no setting changed</translation>
    </message>
    <message>
        <source>应用方法 %1（SHA-256 %2），改变：%3</source>
        <translation>Method %1 applied (SHA-256 %2), changed: %3</translation>
    </message>
    <message>
        <source>%1；修改原因：%2</source>
        <translation>%1; reason for the change: %2</translation>
    </message>
    <message>
        <source>权重%1要求吸光度不为0：第%2个标准点的吸光度 %3 经空白校正（减去零浓度标准点的平均吸光度 %4）后为0，请排除该点、关闭空白校正或选择其他权重</source>
        <translation>weighting %1 needs absorbances other than 0: the absorbance %3 of standard %2 is 0 after the blank correction (less the mean absorbance %4 of the zero standards); exclude it, turn the blank correction off or choose another weighting</translation>
    </message>
    <message>
        <source>权重%1要求吸光度为正：第%2个标准点的吸光度 %3 经空白校正（减去零浓度标准点的平均吸光度 %4）后为负（%5），请排除该点、关闭空白校正或选择其他权重</source>
        <translation>weighting %1 needs positive absorbances: the absorbance %3 of standard %2 is negative after the blank correction (less the mean absorbance %4 of the zero standards): %5; exclude it, turn the blank correction off or choose another weighting</translation>
    </message>
    <message>
        <source>稀释倍数 %1 应为%2到%3之间的数</source>
        <translation>dilution factor %1: expected a number from %2 to %3</translation>
    </message>
    <message>
        <source>取样量 %1 应为%2到%3之间的数</source>
        <translation>sample volume %1: expected a number from %2 to %3</translation>
    </message>
    <message>
        <source>换算系数 %1 应为%2到%3之间的数</source>
        <translation>conversion factor %1: expected a number from %2 to %3</translation>
    </message>
    <message>
        <source>%1，序列 %2</source>
        <translation>%1, series %2</translation>
    </message>
    <message>
        <source>分析项目 %1</source>
        <translation>analyte %1</translation>
    </message>
    <message>
        <source>方法 %1</source>
        <translation>method %1</translation>
    </message>
    <message>
        <source>未知的质控序列 &quot;%1&quot;（应为 check:浓度、reference:名称、spike、duplicate、blank、slope 或 intercept）</source>
        <translation>Unknown QC series &quot;%1&quot; (expected check:CONCENTRATION, reference:NAME, spike, duplicate, blank, slope or intercept)</translation>
    </message>
    <message>
        <source>数据库中没有这个序列的点</source>
        <translation>the database holds no point of this series</translation>
    </message>
    <message>
        <source>质控数据库设置为 PostgreSQL，但未填写数据库名</source>
        <translation>The QC database is set to PostgreSQL, but no database name is given</translation>
    </message>
    <message>
        <source>环境变量 LUMETRA_DATABASE</source>
        <translation>The environment variable LUMETRA_DATABASE</translation>
    </message>
    <message>
        <source>无法打开质控数据库 %1：无法加载质控数据库模块（%2）</source>
        <translation>Cannot open the QC database %1: the QC database module cannot be loaded (%2)</translation>
    </message>
    <message>
        <source>内标响应应为正数</source>
        <translation>the internal standard&apos;s response must be above 0</translation>
    </message>
    <message>
        <source>内标浓度应为正数</source>
        <translation>the internal standard&apos;s concentration must be above 0</translation>
    </message>
    <message>
        <source>不定容的标准加入需要同时给出样品体积V0和加入标准溶液浓度</source>
        <translation>standard addition without dilution to a mark needs both the sample volume V0 and the added standard&apos;s concentration</translation>
    </message>
    <message>
        <source>标准加入不能用权重1/x或1/x²：未加标点的加入浓度为0</source>
        <translation>standard addition cannot use the weighting 1/x or 1/x²: the unspiked row&apos;s added concentration is 0</translation>
    </message>
    <message>
        <source>标准加入至少需要2个未排除的点（未加标和加标）</source>
        <translation>standard addition needs at least 2 standards not excluded (unspiked and spiked)</translation>
    </message>
    <message>
        <source>加入量全部相同，无法外推</source>
        <translation>all added amounts are equal: no extrapolation</translation>
    </message>
    <message>
        <source>无法拟合标准加入的直线</source>
        <translation>the standard addition&apos;s line cannot be fitted</translation>
    </message>
    <message>
        <source>斜率为0，直线与浓度轴不相交</source>
        <translation>slope 0: the line never meets the concentration axis</translation>
    </message>
    <message>
        <source>加入量不能为负</source>
        <translation>the added amount must not be negative</translation>
    </message>
    <message>
        <source>样品体积V0应为正数</source>
        <translation>the sample volume V0 must be above 0</translation>
    </message>
    <message>
        <source>加入标准溶液浓度应为正数</source>
        <translation>the added standard&apos;s concentration must be above 0</translation>
    </message>
    <message>
        <source>单点标准加入（未加标和一次加标）：没有剩余自由度，无法计算s(x_E)和置信区间</source>
        <translation>single-point standard addition (unspiked and one addition): no degree of freedom left, no s(x_E) and no confidence interval</translation>
    </message>
    <message>
        <source>标准加入模式不用样品行：结果由标准点外推得到，样品本身就是标准点</source>
        <translation>standard addition uses no sample rows: the result is extrapolated from the standards, which are the sample itself</translation>
    </message>
    <message>
        <source>内标响应有%1个，应为1个或与读数相同的%2个</source>
        <translation>%1 internal-standard responses: expected 1 or one per reading (%2)</translation>
    </message>
    <message>
        <source>内标回收率 %1%，要求%2–%3%</source>
        <translation>internal-standard recovery %1%, required %2–%3%</translation>
    </message>
    <message>
        <source>响应因子法（一个标准点，过原点）：没有自由度，不计算离散统计量</source>
        <translation>response-factor method (one standard, through the origin): no degree of freedom, no dispersion statistics</translation>
    </message>
    <message>
        <source>内标响应为空</source>
        <translation>the internal standard&apos;s response is empty</translation>
    </message>
    <message>
        <source>内标响应 %1 不是数字</source>
        <translation>internal-standard response %1 is not a number</translation>
    </message>
    <message>
        <source>内标响应 %1 超出数值范围</source>
        <translation>internal-standard response %1 is out of range</translation>
    </message>
    <message>
        <source>内标浓度为空</source>
        <translation>the internal standard&apos;s concentration is empty</translation>
    </message>
    <message>
        <source>内标浓度 %1 不是数字</source>
        <translation>internal-standard concentration %1 is not a number</translation>
    </message>
    <message>
        <source>内标浓度 %1 超出数值范围</source>
        <translation>internal-standard concentration %1 is out of range</translation>
    </message>
    <message>
        <source>样品体积V0为空</source>
        <translation>the sample volume V0 is empty</translation>
    </message>
    <message>
        <source>样品体积V0 %1 不是数字</source>
        <translation>sample volume V0 %1 is not a number</translation>
    </message>
    <message>
        <source>样品体积V0 %1 超出数值范围</source>
        <translation>sample volume V0 %1 is out of range</translation>
    </message>
    <message>
        <source>加入标准溶液浓度为空</source>
        <translation>the added standard&apos;s concentration is empty</translation>
    </message>
    <message>
        <source>加入标准溶液浓度 %1 不是数字</source>
        <translation>added standard&apos;s concentration %1 is not a number</translation>
    </message>
    <message>
        <source>加入标准溶液浓度 %1 超出数值范围</source>
        <translation>added standard&apos;s concentration %1 is out of range</translation>
    </message>
    <message>
        <source>校准方式</source>
        <translation>calibration type</translation>
    </message>
    <message>
        <source>样品体积V0</source>
        <translation>sample volume V0</translation>
    </message>
    <message>
        <source>加入标准溶液浓度</source>
        <translation>added standard&apos;s concentration</translation>
    </message>
    <message>
        <source>标准加入的稀释倍数</source>
        <translation>standard addition&apos;s dilution factor</translation>
    </message>
    <message>
        <source>内标</source>
        <translation>internal standard</translation>
    </message>
    <message>
        <source>内标回收率下限</source>
        <translation>internal-standard recovery low limit</translation>
    </message>
    <message>
        <source>内标回收率上限</source>
        <translation>internal-standard recovery high limit</translation>
    </message>
    <message>
        <source>外标</source>
        <translation>external</translation>
    </message>
    <message>
        <source>标准加入</source>
        <translation>standard addition</translation>
    </message>
    <message>
        <source>空白校正不用于标准加入和内标法</source>
        <translation>the blank correction does not apply to standard addition or the internal standard</translation>
    </message>
    <message>
        <source>无法记下已归档的批次：%1</source>
        <translation>cannot record the filed batch: %1</translation>
    </message>
    <message>
        <source>质控图 %1 失控：%2</source>
        <translation>control chart %1 out of control: %2</translation>
    </message>
    <message>
        <source>没有可读取的质控数据库（--database）</source>
        <translation>No quality-control database to read (--database)</translation>
    </message>
    <message>
        <source>结果不大于0，没有相对不确定度</source>
        <translation>The result is not above 0: no relative uncertainty</translation>
    </message>
    <message>
        <source>没有s(x0)，无法评定校准曲线分量</source>
        <translation>No s(x0): the calibration component cannot be evaluated</translation>
    </message>
    <message>
        <source>不确定度分量无效</source>
        <translation>An uncertainty component is not valid</translation>
    </message>
    <message>
        <source>校准曲线没有自由度</source>
        <translation>The calibration has no degrees of freedom</translation>
    </message>
    <message>
        <source>至少需要2个加标样的回收率</source>
        <translation>At least 2 spike recoveries are needed</translation>
    </message>
    <message>
        <source>加标回收率的均值不大于0</source>
        <translation>The mean spike recovery is not above 0</translation>
    </message>
    <message>
        <source>没有已归档的质控样结果，无法评定偏倚分量</source>
        <translation>No filed reference-material results: the bias component cannot be evaluated</translation>
    </message>
    <message>
        <source>第%1个已归档的质控样结果无效</source>
        <translation>Filed reference-material result %1 is not valid</translation>
    </message>
    <message>
        <source>期间精密度无效</source>
        <translation>The within-laboratory reproducibility is not valid</translation>
    </message>
    <message>
        <source>±%1，矩形分布</source>
        <translation>±%1, rectangular</translation>
    </message>
    <message>
        <source>±%1，三角分布</source>
        <translation>±%1, triangular</translation>
    </message>
    <message>
        <source>±%1，正态分布（95%）</source>
        <translation>±%1, normal (95%)</translation>
    </message>
    <message>
        <source>s(x0) = %1，x0 = %2，%3次读数</source>
        <translation>s(x0) = %1, x0 = %2, %3 readings</translation>
    </message>
    <message>
        <source>%1个加标样的回收率</source>
        <translation>Recoveries of %1 spikes</translation>
    </message>
    <message>
        <source>尚未读取质控数据库</source>
        <translation>The quality-control database has not been read</translation>
    </message>
    <message>
        <source>没有核查标准或质控样的质控图参考期，无法评定期间精密度分量</source>
        <translation>No reference period of a check-standard or reference-material chart: the within-laboratory reproducibility cannot be evaluated</translation>
    </message>
    <message>
        <source>%1，水平 %2，RSD %3</source>
        <translation>%1, level %2, RSD %3</translation>
    </message>
    <message>
        <source>%1个质控样结果，RMS偏倚 %2，u(Cref) %3</source>
        <translation>%1 reference-material results, RMS bias %2, u(Cref) %3</translation>
    </message>
    <message>
        <source>低于定量限</source>
        <translation>Below LOQ</translation>
    </message>
    <message>
        <source>取样体积</source>
        <translation>Sample volume</translation>
    </message>
    <message>
        <source>稀释</source>
        <translation>Dilution</translation>
    </message>
    <message>
        <source>标准物质</source>
        <translation>Standard stock</translation>
    </message>
    <message>
        <source>回收率</source>
        <translation>Recovery</translation>
    </message>
    <message>
        <source>期间精密度 u(Rw)</source>
        <translation>Reproducibility u(Rw)</translation>
    </message>
    <message>
        <source>偏倚 u(bias)</source>
        <translation>Bias u(bias)</translation>
    </message>
    <message>
        <source>测量不确定度</source>
        <translation>Measurement uncertainty</translation>
    </message>
    <message>
        <source>不评定</source>
        <translation>none</translation>
    </message>
    <message>
        <source>内标响应</source>
        <translation>Internal standard response</translation>
    </message>
    <message>
        <source>内标浓度</source>
        <translation>Internal standard concentration</translation>
    </message>
</context>
<context>
    <name>io</name>
    <message>
        <source>真假值</source>
        <translation>true/false value</translation>
    </message>
    <message>
        <source>数字</source>
        <translation>number</translation>
    </message>
    <message>
        <source>文字</source>
        <translation>text</translation>
    </message>
    <message>
        <source>列表</source>
        <translation>list</translation>
    </message>
    <message>
        <source>对象</source>
        <translation>object</translation>
    </message>
    <message>
        <source>空</source>
        <translation>nothing</translation>
    </message>
    <message>
        <source>缺少此项</source>
        <translation>missing</translation>
    </message>
    <message>
        <source>应为%1，不是%2</source>
        <translation>expected %1, not %2</translation>
    </message>
    <message>
        <source>第%1行第%2列</source>
        <translation>line %1, column %2</translation>
    </message>
    <message>
        <source>数值 %1 无效，JSON中不能有NaN或Infinity</source>
        <translation>value %1 is invalid: JSON allows no NaN or Infinity</translation>
    </message>
    <message>
        <source>数值 %1 超出范围</source>
        <translation>value %1 is out of range</translation>
    </message>
    <message>
        <source>数值无效</source>
        <translation>invalid value</translation>
    </message>
    <message>
        <source>对象没有结束（缺少 } 或逗号）</source>
        <translation>object not closed (missing } or comma)</translation>
    </message>
    <message>
        <source>缺少冒号</source>
        <translation>missing colon</translation>
    </message>
    <message>
        <source>列表没有结束（缺少 ] 或逗号）</source>
        <translation>list not closed (missing ] or comma)</translation>
    </message>
    <message>
        <source>缺少逗号</source>
        <translation>missing comma</translation>
    </message>
    <message>
        <source>不是有效的JSON值</source>
        <translation>not a valid JSON value</translation>
    </message>
    <message>
        <source>文件在数字之后意外结束</source>
        <translation>file ends unexpectedly after a number</translation>
    </message>
    <message>
        <source>转义序列无效</source>
        <translation>invalid escape sequence</translation>
    </message>
    <message>
        <source>不是有效的UTF-8文字</source>
        <translation>not valid UTF-8 text</translation>
    </message>
    <message>
        <source>文字没有结束（缺少引号）</source>
        <translation>text not closed (missing quotation mark)</translation>
    </message>
    <message>
        <source>此处应为带引号的键名</source>
        <translation>a quoted key name expected here</translation>
    </message>
    <message>
        <source>嵌套太深</source>
        <translation>nested too deeply</translation>
    </message>
    <message>
        <source>JSON内容太多</source>
        <translation>too much JSON content</translation>
    </message>
    <message>
        <source>JSON对象之后还有多余内容</source>
        <translation>extra content after the JSON object</translation>
    </message>
    <message>
        <source>不是有效的JSON</source>
        <translation>not valid JSON</translation>
    </message>
    <message>
        <source>文字中有未转义的控制字符 \u</source>
        <translation>unescaped control character in text \u</translation>
    </message>
    <message>
        <source>转义序列 \u 之后应为4位十六进制数</source>
        <translation>escape sequence \u must be followed by 4 hexadecimal digits</translation>
    </message>
    <message>
        <source>转义序列 \%1 无效</source>
        <translation>invalid escape sequence \%1</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <extracomment>A text and, in brackets, what it comes from: 磁盘已满（No space left on device）, standards[0].C（第3行第5列）</extracomment>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>数值 %1 无效，应为%2到%3之间的%4</source>
        <translation>value %1 is invalid: expected a %4 from %2 to %3</translation>
    </message>
    <message>
        <source>整数</source>
        <translation>whole number</translation>
    </message>
    <message>
        <source>数</source>
        <translation>number</translation>
    </message>
    <message>
        <source>、</source>
        <extracomment>Between the allowed values of a field: line、origin、quadratic</extracomment>
        <translation>, </translation>
    </message>
    <message>
        <source>应为%1之一，不是 %2</source>
        <translation>expected one of %1, not %2</translation>
    </message>
    <message>
        <source>缺少此项，不是Lumetra校准文件</source>
        <translation>missing: not a Lumetra calibration file</translation>
    </message>
    <message>
        <source>应为 &quot;%1&quot;，不是 %2</source>
        <translation>expected &quot;%1&quot;, not %2</translation>
    </message>
    <message>
        <source>版本号 %1 无效</source>
        <translation>invalid version number %1</translation>
    </message>
    <message>
        <source>版本%1较新，本程序只能读版本%2</source>
        <translation>version %1 is newer; this program reads only version %2</translation>
    </message>
    <message>
        <source>应为95或99</source>
        <translation>expected 95 or 99</translation>
    </message>
    <message>
        <source>文件是空的</source>
        <translation>the file is empty</translation>
    </message>
    <message>
        <source>文件内容不是JSON对象，不是Lumetra校准文件</source>
        <translation>the file is not a JSON object: not a Lumetra calibration file</translation>
    </message>
    <message>
        <source>第%1行</source>
        <translation>line %1</translation>
    </message>
    <message>
        <source>引号没有闭合</source>
        <translation>quotation mark not closed</translation>
    </message>
    <message>
        <source>含有控制字符 \u</source>
        <translation>contains the control character \u</translation>
    </message>
    <message>
        <source>没有数据行</source>
        <translation>no data rows</translation>
    </message>
    <message>
        <source>有%1列，表头只有%2列</source>
        <translation>%1 columns, but the header has only %2</translation>
    </message>
    <message>
        <source>文件是UTF-16编码，请另存为UTF-8</source>
        <translation>the file is UTF-16 encoded; save it as UTF-8</translation>
    </message>
    <message>
        <source>文件是UTF-32编码，请另存为UTF-8</source>
        <translation>the file is UTF-32 encoded; save it as UTF-8</translation>
    </message>
    <message>
        <source>文件含有二进制数据，不是文本文件</source>
        <translation>the file contains binary data: not a text file</translation>
    </message>
    <message>
        <source>文件编码无法识别（应为UTF-8或GB18030）</source>
        <translation>unknown file encoding (UTF-8 or GB18030 expected)</translation>
    </message>
    <message>
        <source>：</source>
        <extracomment>Joins a message&apos;s file, place and reason: a.csv：第3行：没有数据行</extracomment>
        <translation>: </translation>
    </message>
    <message>
        <source>这是文件夹，不是文件</source>
        <translation>this is a folder, not a file</translation>
    </message>
    <message>
        <source>不是普通文件（命名管道）</source>
        <translation>not a regular file (named pipe)</translation>
    </message>
    <message>
        <source>不是普通文件（字符设备）</source>
        <translation>not a regular file (character device)</translation>
    </message>
    <message>
        <source>不是普通文件（块设备）</source>
        <translation>not a regular file (block device)</translation>
    </message>
    <message>
        <source>不是普通文件（套接字）</source>
        <translation>not a regular file (socket)</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>not a regular file</translation>
    </message>
    <message>
        <source>符号链接指向的文件不存在</source>
        <translation>the symbolic link points to a file that does not exist</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>No such file or directory</translation>
    </message>
    <message>
        <source>没有进入所在文件夹的权限（%1）</source>
        <translation>no permission to enter the folder (%1)</translation>
    </message>
    <message>
        <source>文件太大（上限%1 MiB）</source>
        <translation>file too large (limit %1 MiB)</translation>
    </message>
    <message>
        <source>文件太大（上限%1字节）</source>
        <translation>file too large (limit %1 bytes)</translation>
    </message>
    <message>
        <source>符号链接循环</source>
        <translation>Too many levels of symbolic links</translation>
    </message>
    <message>
        <source>权限被拒绝</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>不允许此操作</source>
        <translation>Operation not permitted</translation>
    </message>
    <message>
        <source>路径中有一项不是文件夹</source>
        <translation>Not a directory</translation>
    </message>
    <message>
        <source>文件名太长</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>这是文件夹</source>
        <translation>Is a directory</translation>
    </message>
    <message>
        <source>磁盘已满</source>
        <translation>No space left on device</translation>
    </message>
    <message>
        <source>超出磁盘配额</source>
        <translation>Disk quota exceeded</translation>
    </message>
    <message>
        <source>超出文件大小的限制</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>输入输出错误</source>
        <translation>Input/output error</translation>
    </message>
    <message>
        <source>文件描述符无效或不可写入</source>
        <translation>Bad file descriptor</translation>
    </message>
    <message>
        <source>管道的读取端已关闭</source>
        <translation>Broken pipe</translation>
    </message>
    <message>
        <source>打开的文件太多</source>
        <translation>Too many open files</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>Cannot allocate memory</translation>
    </message>
    <message>
        <source>设备不存在</source>
        <translation>No such device or address</translation>
    </message>
    <message>
        <source>文件正在被执行</source>
        <translation>Text file busy</translation>
    </message>
    <message>
        <source>没有读取权限（%1）</source>
        <translation>no read permission (%1)</translation>
    </message>
    <message>
        <source>读取出错：%1</source>
        <translation>read error: %1</translation>
    </message>
    <message>
        <source>所在的文件夹不存在</source>
        <translation>the folder does not exist</translation>
    </message>
    <message>
        <source>无法创建文件（%1）</source>
        <translation>cannot create the file (%1)</translation>
    </message>
    <message>
        <source>写入失败（%1）</source>
        <translation>write failed (%1)</translation>
    </message>
    <message>
        <source>应为0.05或0.01</source>
        <translation>expected 0.05 or 0.01</translation>
    </message>
    <message>
        <source>应为大于0的数</source>
        <translation>expected a number above 0</translation>
    </message>
    <message>
        <source>应为64位十六进制数字（SHA-256）</source>
        <translation>expected 64 hexadecimal digits (SHA-256)</translation>
    </message>
    <message>
        <source>缺少此项，不是Lumetra方法文件</source>
        <translation>missing: not a Lumetra method file</translation>
    </message>
    <message>
        <source>应为数字，不是 %1</source>
        <translation>expected a number, not %1</translation>
    </message>
    <message>
        <source>应为文字，不是 %1</source>
        <translation>expected a text, not %1</translation>
    </message>
    <message>
        <source>文件内容不是JSON对象，不是Lumetra方法文件</source>
        <translation>the file is not a JSON object: not a Lumetra method file</translation>
    </message>
    <message>
        <source>方法名称不能为空</source>
        <translation>the method’s name must not be empty</translation>
    </message>
    <message>
        <source>应为对象，不是 %1</source>
        <translation>expected an object, not %1</translation>
    </message>
    <message>
        <source>表头的第%1列 %2 与第%3列重复</source>
        <translation>column %1 of the header, %2, repeats column %3</translation>
    </message>
    <message>
        <source>文件名为空</source>
        <translation>the file name is empty</translation>
    </message>
    <message>
        <source>符号链接指向的文件不存在：%1</source>
        <translation>the symbolic link points to a file that does not exist: %1</translation>
    </message>
    <message>
        <source>没有写入权限（%1）</source>
        <translation>no write permission (%1)</translation>
    </message>
    <message>
        <source>表头缺少 %1 列</source>
        <translation>the header has no %1 column</translation>
    </message>
    <message>
        <source>有%1列，应为浓度、吸光度两列（内标法再加内标响应、内标浓度两列）</source>
        <translation>%1 columns; expected two: concentration, absorbance (with the internal standard also its response and concentration)</translation>
    </message>
    <message>
        <source>有%1列，最多%2列（名称、读数、稀释倍数、类型、所指样品、加标量、标称浓度、标准值、不确定度U、内标响应、内标浓度）</source>
        <translation>%1 columns, at most %2 (name, readings, dilution factor, type, refers to, spike added, nominal concentration, certified value, uncertainty U, internal-standard response, internal-standard concentration)</translation>
    </message>
    <message>
        <source>应为数字、对象或 &quot;spikes&quot;</source>
        <translation>expected a number, an object or &quot;spikes&quot;</translation>
    </message>
</context>
<context>
    <name>ui::MessageBoxAlerts</name>
    <message>
        <source>保存</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>不保存</source>
        <translation>Don&apos;t Save</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>worksheet</name>
    <message>
        <source>输入数据不在范围之内,请重新输入!</source>
        <translation>Input out of range, please enter again!</translation>
    </message>
    <message>
        <source>不能连输二个0,请重新输入!</source>
        <translation>Two zeros in a row are not allowed, please enter again!</translation>
    </message>
    <message>
        <source>不能输入二个小数点,请重新输入!</source>
        <translation>Only one decimal point is allowed, please enter again!</translation>
    </message>
    <message>
        <source>数据输入没有完成,请检查数据输入</source>
        <translation>Data entry is not complete, please check the data</translation>
    </message>
    <message>
        <source>数据输入有误,请检查数据输入</source>
        <translation>Data entry is wrong, please check the data</translation>
    </message>
    <message>
        <source>无法拟合标准曲线,请检查数据输入</source>
        <translation>Cannot fit the calibration curve, please check the data</translation>
    </message>
    <message>
        <source> 对不起,超出了曲线的线性范围!</source>
        <translation> Sorry, this is outside the linear range of the curve!</translation>
    </message>
    <message>
        <source>没有可用的标准曲线!</source>
        <translation>No calibration curve is available!</translation>
    </message>
    <message>
        <source>样品吸光度输入有误,请重新输入!</source>
        <translation>Wrong sample absorbance, please enter again!</translation>
    </message>
    <message>
        <source>线性范围无效,请重新计算标准曲线!</source>
        <translation>Invalid linear range, please recalculate the calibration curve!</translation>
    </message>
</context>
</TS>
