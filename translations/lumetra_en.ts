<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>CommandLine</name>
    <message>
        <source>写入标准输出失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原因不明</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1：%2</source>
        <comment>a file, then what went wrong in it</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>a file with the option that named it</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品的 CSV 文件（名称、读数、稀释倍数……），取代 .lumetra 文件中的样品。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白的 CSV 文件：每行一个空白的读数，加入样品列表。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>以 JSON 输出，键与制表符报告相同。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准模型：line（直线）、origin（过原点）或 quadratic（二次）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重：none、1/x、1/x2、1/y、1/y2 或 1/s2。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排除的标准点（从1起的序号，逗号分隔），取代文件中的排除。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>置信水平：95 或 99。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIN 32645 的 α：0.05 或 0.01。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIN 32645 定量限的 k（1到10）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每个样品的读数次数 m（1到100）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>报告检出限：lod、xd 或 mdl。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量 V（大于0的数）：结果 = x0·稀释倍数·f/V。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换算系数 f。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果单位，例如 mg/L。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果的有效数字位数（1到15）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果的小数位数（0到15）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>低于检出限时：nd（未检出）或 lt（&lt;检出限）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白校正：标准点减去零浓度标准点的平均吸光度，样品减去空白的平均吸光度。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有质控规则未通过时退出码为3。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>把报告写成 PDF 文件（与窗口的“导出PDF…”相同，含各输入文件的 SHA-256），不输出到标准输出。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF 报告附修改记录（与 --pdf 同用）。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>帮助和消息的语言：zh（中文）或 en（英文）；不给时用窗口中选定的语言。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 的值“%2”无效，应为 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the values an option accepts</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 的值“%2”无效，应为%3到%4之间的整数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 的值“%2”无效，应为%3到%4之间的数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--digits 和 --decimals 只能选一个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--volume 的值“%1”无效，应为大于0的数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--exclude 的“%1”无效，应为1到%2之间的标准点序号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>命令行排除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--pdf 需要在图形应用中运行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF导出失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--pdf 和 --json 只能选一个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--history 只用于 --pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lumetra：光度分析标准曲线计算器。不带参数时打开窗口；lumetra FILE 在窗口中打开文件。

report FILE   输出标准曲线的统计量、验证、各标准点和样品的报告（制表符分隔）。
              FILE 为 .lumetra 标准曲线文件，或两列（浓度、吸光度）的 CSV 文件。
              带 --pdf OUT.pdf 时写出可归档的 PDF 报告（无需显示器）。

退出码：0 成功（质控未通过也是0，见 --strict）；1 无法拟合或斜率为0；
2 其他错误（用法、文件、数值）；3 使用 --strict 且有质控规则未通过。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>命令：report</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>--%1 需要一个值（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少命令（用法：lumetra report FILE）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未知的命令“%1”（用法：lumetra report FILE）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>report 需要一个文件（用法：lumetra report FILE）</source>
        <translation>report needs a file (usage: lumetra report FILE)</translation>
    </message>
    <message>
        <source>多余的参数“%1”</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Export</name>
    <message>
        <source>无法加载导出模块（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>序号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 5</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 6</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 7</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 9</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 10</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入下列二个参数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测点个数(2-10)---</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测点个数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C(x)单位(选择)---</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>测点个数及浓度单位输入完毕</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lumetra结果：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>相关系数r--</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>相关系数r</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线性范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>C(最高)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A(最高)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品浓度计算</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>请输入A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品吸光度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品浓度C为:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>计算</source>
        <translation>Calculate</translation>
    </message>
    <message>
        <source>计算样品浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清零</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清零样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>小数点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退格</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>计算标准曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清零数据表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>退出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>返回封面</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Form2</name>
    <message>
        <source>我的野蛮女友，漂亮不漂亮</source>
        <translation type="unfinished"></translation>
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
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不支持的文件类型（请使用 .png 或 .svg）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>尚未计算标准曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法生成PNG图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排除的标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>拟合直线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>拟合曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>置信带</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>预测带</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有标记的样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>残差</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加权残差 √w·(A − Â)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 C (%1)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>浓度单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>实验室</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析方法</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目/批号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仪器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仪器编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>波长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比色皿光程</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>审核人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>统计量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1% 半宽 (±)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>a value with why it is missing</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>序号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>拟合值 Â</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>残差 A − Â</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>相对偏差 (%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>回算浓度 Ĉ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>回收率 (%)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>状态</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排除：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>参与拟合</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>可疑离群</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>强影响</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the words of a list</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>判据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结论</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <comment>a row&apos;s type with the sample it refers to</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通过：浓度 %1 低于检出限 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通过：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未通过：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法判定：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数 A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平均吸光度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>说明</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>；</source>
        <comment>between the notes of a row</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果 = x0·f/V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果 = x0·f</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>f = %1，V = %2 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（x0 为样品溶液浓度乘以稀释倍数；%2），结果单位：%3；修约：%4（四舍六入五成双）；低于检出限报告为：%5。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>同浓度单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>%n位有效数字</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n位小数</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>“未检出”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“&lt;检出限”</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法换算结果：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白校正：各样品的平均吸光度减去 %1。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白校正无法进行：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准曲线：通过，%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准曲线：未通过，%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1：</source>
        <comment>a field&apos;s label</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1&#x3000;&#x3000;生成时间：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>模型：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方程：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准曲线图与残差图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（无样品）</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>附录：修改记录（共%n条）</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>（无记录）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（无文件）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法读取（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线分析报告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据文件：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>SHA-256：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>改变结果的命令行选项：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>（未保存的标准曲线）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（A：吸光度，C：浓度，%2；系数未修约）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOD = 3.3·s(y/x)/|b|，LOQ = 10·s(y/x)/|b|；半宽 = t·s，t 取置信水平与模型自由度下的 t 分布分位数；“—”为该项无法计算，括号内为原因。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白校正：拟合前各标准点的吸光度减去零浓度标准点的平均吸光度 %1。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析：______ 日期：______</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核：______ 日期：______</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>审核：______ 日期：______</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1&#x3000;%2</source>
        <comment>the page&apos;s foot: the file, the title</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第 %1 页 共 %2 页</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>Validation</name>
    <message>
        <source>第%1点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the standards&apos; numbers</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截距为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截距与0有显著差异（各点恰在直线上）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截距与0无显著差异 (t = %1 &lt; %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截距与0有显著差异 (t = %1 ≥ %2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截距检验</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Mandel 线性检验</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线性</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>非线性，建议二次模型或缩小范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>失拟检验</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>p &lt; 0.05 为存在失拟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>存在失拟（重复读数全部相同）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>存在失拟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无显著失拟</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>离群点（学生化残差）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无可疑离群点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>可疑离群：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>强影响点（Cook 距离）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无强影响点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>强影响：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>判定限 x_c (DIN 32645)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检出限 x_d = 2·x_c (DIN 32645)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（精确解 %2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>精确解不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定量限 x_q (DIN 32645)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>DIN 32645 校准曲线法</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白法 x_c / x_d (DIN 32645)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>n_b = %1, s_空白 = %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方法检出限 MDL（检出限样，HJ 168）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方法检出限 MDL（空白，HJ 168）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1；测定下限 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方法检出限 MDL (HJ 168)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>由校准曲线的剩余标准差</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>报告检出限</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::AnalysisWindow</name>
    <message>
        <source>取消排除第%1点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排除第%1点…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>由未取整的最小二乘拟合计算：
LOD = 3.3·s(y/x)/|b|
LOQ = 10·s(y/x)/|b|
（s(y/x)：响应的标准差，b：斜率）
95% 半宽 = t(0.975; n−2)·s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>复制结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存图像…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>双击单元格编辑；Ctrl+V 从电子表格粘贴（浓度、吸光度两列）；Insert 添加，Delete 删除所选标准点；勾选“排除”并说明原因即不参与拟合。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+V 从电子表格粘贴（每行一个样品：名称、读数、稀释倍数、类型、所指样品、加标量、标称浓度、标准值、不确定度U，或只有读数；表头可按任意顺序命名各列）；Delete 删除所选行；双击单元格编辑。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>模型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件(&amp;F)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>报告信息…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打印…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出PDF…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>报告附修改记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>统计量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>主窗口的拟合替换了它没有显示的标准点；替换前的数据已备份：&lt;a href=&quot;open&quot;&gt;打开备份&lt;/a&gt;</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线分析</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法拟合标准曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在主窗口输入标准点并点击“计算”，或在“标准点”中输入、粘贴或导入标准点，这里即显示标准曲线和统计结果。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存图像</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PNG 图像 (*.png);;SVG 图像 (*.svg)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线.png</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>图像保存失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出PDF</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线报告.pdf</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>PDF导出失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打印：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另存为…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>恢复上次的数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入标准点CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入样品CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出CSV…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入样品CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv);;文本文件 (*.txt *.tsv);;所有文件 (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法导入：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>尚未计算标准曲线，没有可导出的结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线.csv</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导出失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::BatchPanel</name>
    <message>
        <source>空白校正</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准点减去浓度为0的标准点的平均吸光度后拟合；样品、平行样、加标样和质控样减去空白的平均吸光度（没有空白时用零浓度标准点的），校准核查和空白本身减去零浓度标准点的。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量 V</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换算系数 f</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有效数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>小数位数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未检出</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&lt;检出限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修约</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>低于检出限时报告</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控要求：r ≥</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平行样相对偏差 ≤</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>% 加标回收率</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>% 校准核查 ±</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::CurrentCalibration</name>
    <message>
        <source>样品 %1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::HeaderDialog</name>
    <message>
        <source>实验室名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目/批号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方法</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仪器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仪器编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>波长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比色皿光程</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>审核人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>报告信息</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::HistoryModel</name>
    <message>
        <source>时间</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>用户</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>变更</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::HistoryTab</name>
    <message>
        <source>记录</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>每次修改都记入文件，只增不删；打开文件不改写它的记录。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::ModelControls</name>
    <message>
        <source>模型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>置信水平</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::ModelTab</name>
    <message>
        <source>权重比较：各权重下未排除、浓度不为0的标准点反算浓度的相对误差绝对值之和（最小者标 ★）；双击一行即采用该权重。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Σ|相对误差| %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重比较</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截距检验：只用于直线模型，且至少需要3个标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>截距检验：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::PlotWidget</name>
    <message>
        <source>尚未计算标准曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>标准曲线图：%n个标准点</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>残差图：%n个标准点的残差</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>标准曲线图：%n个标准点，排除%1个</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>残差图：%n个标准点的残差，排除%1个</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>%1，%2</source>
        <comment>a list of the plot&apos;s figures</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线图</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>残差图</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::SampleListModel</name>
    <message>
        <source>超出线性范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>低于检出限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>低于定量限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <comment>between the flags</comment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>主窗口的结果：主窗口总是用全部标准点作不加权的直线拟合</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所指样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标称浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不确定度U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平均吸光度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 x0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标记</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>主窗口结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1% 半宽</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果 (%1)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>通过 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>未通过 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>由之前的标准曲线计算</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::SampleTable</name>
    <message>
        <source>样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message numerus="yes">
        <source>清空样品列表中的全部%n个样品？</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除所选行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清空列表</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::StandardsModel</name>
    <message>
        <source>排除</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>拟合 A</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>残差</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>相对偏差 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>反算 C</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>回收率 %</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>已排除：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排除第%1个标准点的原因：</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排除标准点必须说明原因</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::StandardsTable</name>
    <message>
        <source>标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>添加标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除所选标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消排除第%1点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排除第%1点…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::StatisticsModel</name>
    <message>
        <source>截距 a</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>斜率 b</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二次项 c</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>相关系数 r</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>决定系数 R²</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剩余标准差 s(y/x)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检出限 LOD</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>定量限 LOQ</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>统计量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1% 半宽 (±)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>analysis::ValidationTab</name>
    <message>
        <source>报告检出限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>置信带</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>预测带</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>判据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结论</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>验证</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>app::AnalysisAccess</name>
    <message>
        <source>标准曲线分析 (F2)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>双击打开标准曲线分析 (F2)</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>app::CalibrationFiles</name>
    <message>
        <source>Lumetra 标准曲线文件 (*.lumetra);;所有文件 (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存%1：无法创建文件夹 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>另存为…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作表或样品列表中已有数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>工作表中已有数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1，将被%2替换。是否继续？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开标准曲线文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法打开：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”的内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有上次的数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法恢复上次的数据：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>上次的数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入标准点CSV</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>CSV 文件 (*.csv);;文本文件 (*.txt *.tsv);;所有文件 (*)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法导入：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>“%1”中的标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线.lumetra</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存标准曲线文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存：没有可保存的数据</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存失败：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准曲线数据有未保存的修改。是否保存？</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>备份</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存备份：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法保存上次的数据：%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>app::LanguageMenu</name>
    <message>
        <source>语言 / Language</source>
        <extracomment>Kept in both languages, so that whoever cannot read the interface still finds it.</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>界面语言将在下次启动时切换为中文。</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>界面语言将在下次启动时切换为English。</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>calibration</name>
    <message>
        <source>取样量 %1 必须大于0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少所指的样品名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>找不到样品 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品名称 %1 不唯一</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白 %1 浓度 %2 不低于检出限 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所指样品没有结果</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>两个结果之和不大于0，相对偏差无意义</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平行样 %1 相对偏差 %2%，要求≤%3%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标量不能为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标回收率 %1%，要求%2–%3%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标称浓度不能为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准核查相对误差 %1%，要求±%2%</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控样 %1 |结果−标准值| %2，要求≤U %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控：没有质控项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控：%1项全部通过</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控：%1项通过，%2项未通过（%3）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类型 %1 无法识别</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>至少需要2个空白</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>至少需要7个空白或检出限样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准曲线 r = %1，要求r ≥ %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少加标量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标量 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标量 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少标称浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标称浓度 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标称浓度 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少标准值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准值 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准值 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少不确定度U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不确定度U %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不确定度U %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换算系数为空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换算系数 %1 不是数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换算系数 %1 超出数值范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平行样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准核查</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>质控样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>检出限样</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有读数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数有%1个，最多%2个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数 %1 必须大于0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准点超过%1个，主窗口不显示此曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只有%1个标准点，主窗口至少需要%2个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度 %1 超过%2个字符，主窗口不显示此曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度 %1 超过%2个字符，主窗口不显示此曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1个标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1个样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>主窗口的拟合</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>导入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>粘贴</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>命令行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>名称</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>稀释倍数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>类型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所指样品</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标称浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不确定度U</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>模型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>置信水平</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>报告检出限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白校正</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取样量单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>结果单位</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>换算系数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>修约</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>位数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>低于检出限时</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>r 下限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>平行样相对偏差上限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标回收率下限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>加标回收率上限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校准核查相对误差上限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>实验室</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>项目/批号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方法</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析项目</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仪器</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>仪器编号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>波长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>比色皿光程</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析日期</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>分析人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>校核人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>审核人</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>记录从此开始</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开文件 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>保存到文件 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>标准点由%1替换为%2个</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1个标准点的%2由 %3 改为 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>在第%1个位置插入%2个标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除标准点 %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>排除第%1个标准点，原因：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消排除第%1个标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1由 %2 改为 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>由%1添加%2个样品（自第%3行）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1个样品的%2由 %3 改为 %4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>删除%1个样品：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>清空样品列表（%1个样品）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>报告信息的%1由 %2 改为 %3</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>直线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>过原点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二次</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1模型至少需要%2个未排除的标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度全部相同，无法拟合直线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>浓度全部为0，无法拟合过原点的直线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二次模型至少需要3个不同的浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重%1要求浓度不为0：第%2个标准点为0，请排除该点或选择其他权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重%1要求浓度为正：第%2个标准点为负，请排除该点或选择其他权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重%1要求吸光度不为0：第%2个标准点为0，请排除该点或选择其他权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重%1要求吸光度为正：第%2个标准点为负，请排除该点或选择其他权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重1/s²要求每个浓度至少有2个标准点：第%1个标准点的浓度只有它一个，请排除该点或选择其他权重</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重1/s²无法使用：第%1个标准点所在浓度的吸光度全部相同</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>过原点模型没有截距</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只有二次模型有二次项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>吸光度全部相同</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>LOD和LOQ只用于不加权的直线模型；请用验证中空白或检出限样的检出限</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只用于直线模型</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>至少需要4个未排除的标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法拟合不加权的直线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>二次拟合的剩余方差为0：各点恰好在一条曲线上</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法拟合二次曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有重复测定的浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>至少需要3个不同的浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>各浓度的重复读数全部相同，且直线恰好通过各浓度的均值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法计算</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>剩余标准差为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>斜率为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权重%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1点：%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>，排除%1点（%2）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>尚未计算标准曲线</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值超出可计算的范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>至少需要%1个标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空白校正无法使用：没有浓度为0的标准点</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>斜率为0，无法由吸光度计算浓度</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无实数解</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>曲线在此处斜率为0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>此处无法取权重（浓度或吸光度不为正）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>方程无正根：残差相对于浓度范围太大</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>io</name>
    <message>
        <source>真假值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>对象</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>空</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少此项</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应为%1，不是%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1行第%2列</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值 %1 无效，JSON中不能有NaN或Infinity</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值 %1 超出范围</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>对象没有结束（缺少 } 或逗号）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少冒号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>列表没有结束（缺少 ] 或逗号）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少逗号</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是有效的JSON值</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件在数字之后意外结束</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转义序列无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是有效的UTF-8文字</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字没有结束（缺少引号）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>此处应为带引号的键名</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>嵌套太深</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON内容太多</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>JSON对象之后还有多余内容</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是有效的JSON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文字中有未转义的控制字符 \u</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转义序列 \u 之后应为4位十六进制数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>转义序列 \%1 无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <extracomment>A text and, in brackets, what it comes from: 磁盘已满（No space left on device）, standards[0].C（第3行第5列）</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数值 %1 无效，应为%2到%3之间的%4</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>整数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>、</source>
        <extracomment>Between the allowed values of a field: line、origin、quadratic</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应为%1之一，不是 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>缺少此项，不是Lumetra校准文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应为 &quot;%1&quot;，不是 %2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>版本号 %1 无效</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>版本%1较新，本程序只能读版本%2</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>应为95或99</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件是空的</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件内容不是JSON对象，不是Lumetra校准文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>第%1行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>引号没有闭合</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>含有控制字符 \u</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有%1列，应为浓度、吸光度两列</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有数据行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有%1列，表头只有%2列</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>有%1列，最多%2列（名称、读数、稀释倍数、类型、所指样品、加标量、标称浓度、标准值、不确定度U）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件是UTF-16编码，请另存为UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件是UTF-32编码，请另存为UTF-8</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件含有二进制数据，不是文本文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件编码无法识别（应为UTF-8或GB18030）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>：</source>
        <extracomment>Joins a message&apos;s file, place and reason: a.csv：第3行：没有数据行</extracomment>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>原因不明</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是文件夹，不是文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件（命名管道）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件（字符设备）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件（块设备）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件（套接字）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>符号链接指向的文件不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有进入所在文件夹的权限（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件太大（上限%1 MiB）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件太大（上限%1字节）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>符号链接循环</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>权限被拒绝</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不允许此操作</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>路径中有一项不是文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件名太长</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>这是文件夹</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>磁盘已满</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超出磁盘配额</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>超出文件大小的限制</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>输入输出错误</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件描述符无效或不可写入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>管道的读取端已关闭</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>打开的文件太多</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>设备不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>文件正在被执行</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有读取权限（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>读取出错：%1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>所在的文件夹不存在</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法创建文件（%1）</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>写入失败（%1）</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ui::MessageBoxAlerts</name>
    <message>
        <source>保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不保存</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>取消</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>worksheet</name>
    <message>
        <source>输入数据不在范围之内,请重新输入!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不能连输二个0,请重新输入!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>不能输入二个小数点,请重新输入!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据输入没有完成,请检查数据输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>数据输入有误,请检查数据输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>无法拟合标准曲线,请检查数据输入</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> 对不起,超出了曲线的线性范围!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>没有可用的标准曲线!</source>
        <translation>No calibration curve is available!</translation>
    </message>
    <message>
        <source>样品吸光度输入有误,请重新输入!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>线性范围无效,请重新计算标准曲线!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
