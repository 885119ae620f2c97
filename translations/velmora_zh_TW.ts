<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="zh_TW" sourcelanguage="zh_CN">
<context>
    <name>EditSongDialog</name>
    <message>
        <source>修改歌曲</source>
        <translation>編輯歌曲</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>歌名：</source>
        <translation>歌名：</translation>
    </message>
    <message>
        <source>歌手：</source>
        <translation>歌手：</translation>
    </message>
    <message>
        <source>歌词：</source>
        <translation>歌詞：</translation>
    </message>
    <message>
        <source>词曲信息：</source>
        <translation>詞曲資訊：</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>选择保存路径</source>
        <translation>選擇儲存路徑</translation>
    </message>
    <message>
        <source>电子出版(*.epub)|*.epub</source>
        <translation>電子書(*.epub)|*.epub</translation>
    </message>
    <message>
        <source>选择封面图片</source>
        <translation>選擇封面圖片</translation>
    </message>
    <message>
        <source>所有图像文件(*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png|JPEG文件交换格式(*.jpg;*.jpeg)|*.jpg;*.jpeg|可移植网络图形(*.png)|*.png</source>
        <translation>所有影像檔案(*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png|JPEG檔案交換格式(*.jpg;*.jpeg)|*.jpg;*.jpeg|可攜式網路圖形(*.png)|*.png</translation>
    </message>
    <message>
        <source>有修改尚未制作</source>
        <translation>有修改尚未製作</translation>
    </message>
    <message>
        <source>无法打开：</source>
        <translation>無法開啟：</translation>
    </message>
    <message>
        <source>上次还有 %1 首歌没有做进电子书。要恢复吗？</source>
        <translation>上次還有 %1 首歌沒有做進電子書。要恢復嗎？</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>恢復</translation>
    </message>
    <message>
        <source>不要</source>
        <translation>不要</translation>
    </message>
    <message>
        <source>制作完成，已另存到：</source>
        <translation>製作完成，已另存到：</translation>
    </message>
    <message>
        <source>制作完成，但没有另存到：</source>
        <translation>製作完成，但沒有另存到：</translation>
    </message>
    <message>
        <source>导入歌曲</source>
        <translation>匯入歌曲</translation>
    </message>
    <message>
        <source>歌词和音乐文件(*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv)|*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv|所有文件(*)|*</source>
        <translation>歌詞和音樂檔案(*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv)|*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv|所有檔案(*)|*</translation>
    </message>
    <message>
        <source>歌名：</source>
        <translation>歌名：</translation>
    </message>
    <message>
        <source>歌曲列表</source>
        <translation>歌曲清單</translation>
    </message>
    <message>
        <source>歌词：</source>
        <translation>歌詞：</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>歌词</source>
        <translation>歌詞</translation>
    </message>
    <message>
        <source>保存路径：</source>
        <translation>儲存路徑：</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>變更</translation>
    </message>
    <message>
        <source>自定义封面：</source>
        <translation>自訂封面：</translation>
    </message>
    <message>
        <source>书名：</source>
        <translation>書名：</translation>
    </message>
    <message>
        <source>作者：</source>
        <translation>作者：</translation>
    </message>
    <message>
        <source>开始制作</source>
        <translation>開始製作</translation>
    </message>
    <message>
        <source>等待制作...</source>
        <translation>等待製作...</translation>
    </message>
    <message>
        <source>传到手机</source>
        <translation>傳到手機</translation>
    </message>
    <message>
        <source>扫码下载到手机</source>
        <translation>掃碼下載到手機</translation>
    </message>
    <message>
        <source>打开成品文件夹</source>
        <translation>開啟成品資料夾</translation>
    </message>
    <message>
        <source>上次有 %1 首歌，其中 %2 首还没做进电子书。要恢复吗？</source>
        <translation>上次有 %1 首歌，其中 %2 首還沒做進電子書。要恢復嗎？</translation>
    </message>
    <message>
        <source>导入文件夹</source>
        <translation>匯入資料夾</translation>
    </message>
    <message>
        <source>共 %1 首</source>
        <translation>共 %1 首</translation>
    </message>
    <message>
        <source>歌手：</source>
        <translation>歌手：</translation>
    </message>
    <message>
        <source>可不填</source>
        <translation>可不填</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>尋找</translation>
    </message>
    <message>
        <source>查找歌名、歌手或歌词</source>
        <translation>尋找歌名、歌手或歌詞</translation>
    </message>
    <message>
        <source>先制作《%1》</source>
        <translation>先製作《%1》</translation>
    </message>
    <message>
        <source>制作完成：%1</source>
        <translation>製作完成：%1</translation>
    </message>
    <message>
        <source>在文件夹中显示</source>
        <translation>在資料夾中顯示</translation>
    </message>
    <message>
        <source>所有歌曲已是简体，没有要转换的</source>
        <translation>所有歌曲已是簡體，沒有要轉換的</translation>
    </message>
    <message>
        <source>所有歌曲已是繁體，没有要转换的</source>
        <translation>所有歌曲已是繁體，沒有要轉換的</translation>
    </message>
    <message>
        <source>已撤销：%1</source>
        <translation>已復原：%1</translation>
    </message>
    <message>
        <source>已重做：%1</source>
        <translation>已重做：%1</translation>
    </message>
    <message>
        <source>
（记录中有 %1 条无法读取，已跳过。）</source>
        <translation>
（紀錄中有 %1 筆無法讀取，已略過。）</translation>
    </message>
    <message>
        <source>正在转换…</source>
        <translation>正在轉換…</translation>
    </message>
    <message>
        <source>转换已取消，没有改动</source>
        <translation>轉換已取消，沒有變更</translation>
    </message>
    <message>
        <source>上次还有未添加的歌词。要恢复吗？</source>
        <translation>上次還有未新增的歌詞。要恢復嗎？</translation>
    </message>
    <message>
        <source>上次有 %1 首歌，都已做进电子书，还有未添加的歌词。要恢复吗？</source>
        <translation>上次有 %1 首歌，都已做進電子書，還有未新增的歌詞。要恢復嗎？</translation>
    </message>
    <message>
        <source>上次有 %1 首歌，其中 %2 首还没做进电子书，还有未添加的歌词。要恢复吗？</source>
        <translation>上次有 %1 首歌，其中 %2 首還沒做進電子書，還有未新增的歌詞。要恢復嗎？</translation>
    </message>
    <message>
        <source>上次还有 %1 首歌没有做进电子书，还有未添加的歌词。要恢复吗？</source>
        <translation>上次還有 %1 首歌沒有做進電子書，還有未新增的歌詞。要恢復嗎？</translation>
    </message>
    <message>
        <source>新书的书名：</source>
        <translation>新書的書名：</translation>
    </message>
    <message>
        <source>列表里还有没做进电子书的歌。要打开这本书替换它们吗？（可以撤销）</source>
        <translation>清單裡還有沒做進電子書的歌。要開啟這本書取代它們嗎？（可以復原）</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>開啟</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>打开书</source>
        <translation>開啟書</translation>
    </message>
    <message>
        <source>已打开：%1</source>
        <translation>已開啟：%1</translation>
    </message>
    <message>
        <source>《%1》（%2 首，%3 制作）</source>
        <translation>《%1》（%2 首，%3 製作）</translation>
    </message>
    <message>
        <source>（还没有制作过）</source>
        <translation>（還沒有製作過）</translation>
    </message>
    <message>
        <source>继续编辑《%1》（%2 首，%3 制作）</source>
        <translation>繼續編輯《%1》（%2 首，%3 製作）</translation>
    </message>
    <message>
        <source>转为%1</source>
        <translation>轉為%1</translation>
    </message>
    <message>
        <source>已将 %1 首歌转为%2</source>
        <translation>已將 %1 首歌轉為%2</translation>
    </message>
    <message>
        <source>已将书名和作者转为%1</source>
        <translation>已將書名和作者轉為%1</translation>
    </message>
    <message>
        <source>已添加。开头几行像词曲信息：</source>
        <translation>已新增。開頭幾行像詞曲資訊：</translation>
    </message>
    <message>
        <source>已把开头几行设为词曲信息</source>
        <translation>已把開頭幾行設為詞曲資訊</translation>
    </message>
    <message>
        <source>设为词曲信息</source>
        <translation>設為詞曲資訊</translation>
    </message>
    <message>
        <source>把开头几行设为词曲信息</source>
        <translation>把開頭幾行設為詞曲資訊</translation>
    </message>
</context>
<context>
    <name>Guide</name>
    <message>
        <source>使用说明</source>
        <translation>使用說明</translation>
    </message>
    <message>
        <source>关于 Velmora</source>
        <translation>關於 Velmora</translation>
    </message>
    <message>
        <source>Velmora %1
把输入或导入的歌词做成 EPUB 电子书。</source>
        <translation>Velmora %1
把輸入或匯入的歌詞做成 EPUB 電子書。</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Velmora 使用说明&lt;/h3&gt;&lt;p&gt;&lt;b&gt;添加歌曲&lt;/b&gt;：在“歌名”和“歌词”里输入，按“添加”（或 Ctrl+Enter）。右边的列表就是书里的歌，按书中的顺序。&lt;/p&gt;&lt;p&gt;&lt;b&gt;导入&lt;/b&gt;：文件 → 导入文件…（Ctrl+O）或导入文件夹…（Ctrl+Shift+O）；也可以把 .lrc、.txt 歌词文件、带歌词的音乐文件、文件夹或本程序做的 .epub 拖进窗口。&lt;/p&gt;&lt;p&gt;&lt;b&gt;修改&lt;/b&gt;：在列表里选中一首歌，Enter 修改，Delete 删除，Ctrl+↑ / Ctrl+↓ 移动；按住 Shift 或 Ctrl 点选（或 Ctrl+A）可以一次删除、移动几首。Ctrl+Z 撤销，Ctrl+Shift+Z 重做。右键菜单里也有这些命令。&lt;/p&gt;&lt;p&gt;&lt;b&gt;简繁转换&lt;/b&gt;：编辑 → 转换 → 简体、繁體（台灣用词）、繁體（香港）或繁體（只换字形），一次转换所有歌曲和书名、作者；Ctrl+Z 撤销。&lt;/p&gt;&lt;p&gt;&lt;b&gt;接着编辑&lt;/b&gt;：文件 → 最近的书 或 打开书…（Ctrl+Alt+O）把做过的书连同书名、作者、封面一起打开；列表空着时也可以点下面的“继续编辑”。&lt;/p&gt;&lt;p&gt;&lt;b&gt;书&lt;/b&gt;：“书名”和“作者”写进书里；“自定义封面”可以选一张 JPEG 或 PNG 图片；“保存路径”是书另存一份的地方（和成品文件夹相同时不另存）。&lt;/p&gt;&lt;p&gt;&lt;b&gt;制作&lt;/b&gt;：按“开始制作”（Ctrl+B）。书放在成品文件夹里：程序旁边的 finished 文件夹，程序所在的文件夹不能写入时是“文档/Velmora”；“打开成品文件夹”（Ctrl+E）打开它。&lt;/p&gt;&lt;p&gt;&lt;b&gt;传到手机&lt;/b&gt;：制作完成后按“传到手机”（Ctrl+M），用手机扫二维码下载；手机和电脑要连在同一个网络里。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Velmora 使用說明&lt;/h3&gt;&lt;p&gt;&lt;b&gt;新增歌曲&lt;/b&gt;：在「歌名」和「歌詞」裡輸入，按「新增」（或 Ctrl+Enter）。右邊的清單就是書裡的歌，依書中的順序。&lt;/p&gt;&lt;p&gt;&lt;b&gt;匯入&lt;/b&gt;：檔案 → 匯入檔案…（Ctrl+O）或匯入資料夾…（Ctrl+Shift+O）；也可以把 .lrc、.txt 歌詞檔、帶歌詞的音樂檔、資料夾或本程式做的 .epub 拖進視窗。&lt;/p&gt;&lt;p&gt;&lt;b&gt;修改&lt;/b&gt;：在清單裡選取一首歌，Enter 修改，Delete 刪除，Ctrl+↑ / Ctrl+↓ 移動；按住 Shift 或 Ctrl 點選（或 Ctrl+A）可以一次刪除、移動幾首。Ctrl+Z 復原，Ctrl+Shift+Z 重做。右鍵選單裡也有這些命令。&lt;/p&gt;&lt;p&gt;&lt;b&gt;簡繁轉換&lt;/b&gt;：編輯 → 轉換 → 簡體、繁體（台灣用詞）、繁體（香港）或繁體（只換字形），一次轉換所有歌曲和書名、作者；Ctrl+Z 復原。&lt;/p&gt;&lt;p&gt;&lt;b&gt;接著編輯&lt;/b&gt;：檔案 → 最近的書 或 開啟書…（Ctrl+Alt+O）把做過的書連同書名、作者、封面一起開啟；清單空著時也可以點下面的「繼續編輯」。&lt;/p&gt;&lt;p&gt;&lt;b&gt;書&lt;/b&gt;：「書名」和「作者」寫進書裡；「自訂封面」可以選一張 JPEG 或 PNG 圖片；「儲存路徑」是書另存一份的地方（和成品資料夾相同時不另存）。&lt;/p&gt;&lt;p&gt;&lt;b&gt;製作&lt;/b&gt;：按「開始製作」（Ctrl+B）。書放在成品資料夾裡：程式旁邊的 finished 資料夾，程式所在的資料夾不能寫入時是「文件/Velmora」；「開啟成品資料夾」（Ctrl+E）開啟它。&lt;/p&gt;&lt;p&gt;&lt;b&gt;傳到手機&lt;/b&gt;：製作完成後按「傳到手機」（Ctrl+M），用手機掃 QR 碼下載；手機和電腦要連在同一個網路裡。&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ImportProgressDialog</name>
    <message>
        <source>正在导入…</source>
        <translation>正在匯入…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>匯入</translation>
    </message>
</context>
<context>
    <name>ListCommands</name>
    <message>
        <source>撤销</source>
        <translation>復原</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>重做</translation>
    </message>
    <message>
        <source>修改…</source>
        <translation>編輯…</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>上移</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>下移</translation>
    </message>
    <message>
        <source>导入…</source>
        <translation>匯入…</translation>
    </message>
    <message>
        <source>确定删除第 %1 首《%2》吗？</source>
        <translation>確定刪除第 %1 首《%2》嗎？</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>确定删除选中的 %1 首歌吗？</source>
        <translation>確定刪除選取的 %1 首歌嗎？</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>檔案(&amp;F)</translation>
    </message>
    <message>
        <source>导入文件…</source>
        <translation>匯入檔案…</translation>
    </message>
    <message>
        <source>导入文件夹…</source>
        <translation>匯入資料夾…</translation>
    </message>
    <message>
        <source>开始制作</source>
        <translation>開始製作</translation>
    </message>
    <message>
        <source>打开成品文件夹</source>
        <translation>開啟成品資料夾</translation>
    </message>
    <message>
        <source>传到手机</source>
        <translation>傳到手機</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>結束</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>編輯(&amp;E)</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>說明(&amp;H)</translation>
    </message>
    <message>
        <source>使用说明</source>
        <translation>使用說明</translation>
    </message>
    <message>
        <source>关于 Velmora</source>
        <translation>關於 Velmora</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>尋找</translation>
    </message>
    <message>
        <source>打开书…</source>
        <translation>開啟書…</translation>
    </message>
    <message>
        <source>最近的书</source>
        <translation>最近的書</translation>
    </message>
    <message>
        <source>转换</source>
        <translation>轉換</translation>
    </message>
    <message>
        <source>简体</source>
        <translation>簡體</translation>
    </message>
    <message>
        <source>繁體（台灣用词）</source>
        <translation>繁體（台灣用詞）</translation>
    </message>
    <message>
        <source>繁體（香港）</source>
        <translation>繁體（香港）</translation>
    </message>
    <message>
        <source>繁體（只换字形）</source>
        <translation>繁體（只換字形）</translation>
    </message>
    <message>
        <source>页面设置…</source>
        <translation>版面設定…</translation>
    </message>
    <message>
        <source>导出 PDF…</source>
        <translation>匯出 PDF…</translation>
    </message>
    <message>
        <source>打印预览…</source>
        <translation>預覽列印…</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>列印…</translation>
    </message>
</context>
<context>
    <name>PageSetupDialog</name>
    <message>
        <source>页面设置</source>
        <translation>版面設定</translation>
    </message>
    <message>
        <source>Letter（美国信纸）</source>
        <translation>Letter（美國信紙）</translation>
    </message>
    <message>
        <source> 毫米</source>
        <translation> 公釐</translation>
    </message>
    <message>
        <source> 磅</source>
        <translation> 點</translation>
    </message>
    <message>
        <source>每首歌从新的一页开始</source>
        <translation>每首歌從新的一頁開始</translation>
    </message>
    <message>
        <source>小册子：A5 页两页拼一张 A4，双面打印后对折装订</source>
        <translation>小冊子：A5 頁兩頁拼一張 A4，雙面列印後對折裝訂</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>確定</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>纸张：</source>
        <translation>紙張：</translation>
    </message>
    <message>
        <source>页边距：</source>
        <translation>邊界：</translation>
    </message>
    <message>
        <source>歌词字号：</source>
        <translation>歌詞字級：</translation>
    </message>
</context>
<context>
    <name>PhoneDialog</name>
    <message>
        <source>扫码下载到手机</source>
        <translation>掃碼下載到手機</translation>
    </message>
    <message>
        <source>没有找到局域网地址</source>
        <translation>沒有找到區域網路位址</translation>
    </message>
    <message>
        <source>打开成品文件夹</source>
        <translation>開啟成品資料夾</translation>
    </message>
    <message>
        <source>文件：%1</source>
        <translation>檔案：%1</translation>
    </message>
    <message>
        <source>手机和电脑需要连在同一个网络</source>
        <translation>手機和電腦需要連在同一個網路</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>關閉</translation>
    </message>
    <message>
        <source>局域网地址</source>
        <translation>區域網路位址</translation>
    </message>
    <message>
        <source>局域网地址：</source>
        <translation>區域網路位址：</translation>
    </message>
    <message>
        <source>二维码</source>
        <translation>QR 碼</translation>
    </message>
    <message>
        <source>下载地址</source>
        <translation>下載網址</translation>
    </message>
    <message>
        <source>已完成下载：%1 次</source>
        <translation>已完成下載：%1 次</translation>
    </message>
</context>
<context>
    <name>Questions</name>
    <message>
        <source>替换</source>
        <translation>取代</translation>
    </message>
    <message>
        <source>另存为新书</source>
        <translation>另存為新書</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>取消</translation>
    </message>
    <message>
        <source>保存路径上已有这个文件：%1
要用歌词本替换它吗？</source>
        <translation>儲存路徑上已有這個檔案：%1
要用歌詞本取代它嗎？</translation>
    </message>
    <message>
        <source>文件夹不存在，要新建吗？
%1</source>
        <translation>資料夾不存在，要建立嗎？
%1</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>建立</translation>
    </message>
</context>
<context>
    <name>SongChange</name>
    <message>
        <source>添加</source>
        <translation>新增</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>匯入</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>編輯</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>刪除</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>移動</translation>
    </message>
</context>
<context>
    <name>SongList</name>
    <message>
        <source>在左边输入歌名和歌词，或把歌词文件拖到这里</source>
        <translation>在左邊輸入歌名和歌詞，或把歌詞檔拖到這裡</translation>
    </message>
</context>
<context>
    <name>SongListModel</name>
    <message>
        <source>%1（%2）</source>
        <translation>%1（%2）</translation>
    </message>
</context>
<context>
    <name>SongbookPrinting</name>
    <message>
        <source>列表里还没有歌。先添加歌曲，再导出或打印。</source>
        <translation>清單裡還沒有歌。先新增歌曲，再匯出或列印。</translation>
    </message>
    <message>
        <source>导出 PDF</source>
        <translation>匯出 PDF</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF 檔案 (*.pdf)</translation>
    </message>
    <message>
        <source>已导出 PDF：%1</source>
        <translation>已匯出 PDF：%1</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>預覽列印</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>列印</translation>
    </message>
</context>
<context>
    <name>Words</name>
    <message>
        <source>%1：%2</source>
        <translation>%1：%2</translation>
    </message>
    <message>
        <source>%1：%2（%3）</source>
        <translation>%1：%2（%3）</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>磁碟空間不足</translation>
    </message>
    <message>
        <source>没有权限</source>
        <translation>沒有權限</translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation>唯讀檔案系統</translation>
    </message>
    <message>
        <source>文件或文件夹不存在</source>
        <translation>檔案或資料夾不存在</translation>
    </message>
    <message>
        <source>文件名太长</source>
        <translation>檔名太長</translation>
    </message>
    <message>
        <source>文件正被占用</source>
        <translation>檔案正被佔用</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>不是一般檔案</translation>
    </message>
    <message>
        <source>无法读取（%1）</source>
        <translation>無法讀取（%1）</translation>
    </message>
    <message>
        <source>文件太大</source>
        <translation>檔案太大</translation>
    </message>
    <message>
        <source>文件是空的</source>
        <translation>檔案是空的</translation>
    </message>
    <message>
        <source>不是文本文件</source>
        <translation>不是文字檔</translation>
    </message>
    <message>
        <source>没有歌词</source>
        <translation>沒有歌詞</translation>
    </message>
    <message>
        <source>歌词太长</source>
        <translation>歌詞太長</translation>
    </message>
    <message>
        <source>不是 ZIP 文件</source>
        <translation>不是 ZIP 檔案</translation>
    </message>
    <message>
        <source>ZIP 文件已损坏</source>
        <translation>ZIP 檔案已損壞</translation>
    </message>
    <message>
        <source>解压后太大，不像歌词本</source>
        <translation>解壓縮後太大，不像歌詞本</translation>
    </message>
    <message>
        <source>不是 Velmora 制作的歌词本</source>
        <translation>不是 Velmora 製作的歌詞本</translation>
    </message>
    <message>
        <source>缺少 %1</source>
        <translation>缺少 %1</translation>
    </message>
    <message>
        <source>%1 不是合格的 XML</source>
        <translation>%1 不是合格的 XML</translation>
    </message>
    <message>
        <source>%1 不是歌曲页</source>
        <translation>%1 不是歌曲頁</translation>
    </message>
    <message>
        <source>歌词本中有缺少歌名或歌词的歌曲页</source>
        <translation>歌詞本中有缺少歌名或歌詞的歌曲頁</translation>
    </message>
    <message>
        <source>歌曲页太多：最多只能收录 %1 首歌</source>
        <translation>歌曲頁太多：最多只能收錄 %1 首歌</translation>
    </message>
    <message>
        <source>歌词本已满：最多只能收录 %1 首歌</source>
        <translation>歌詞本已滿：最多只能收錄 %1 首歌</translation>
    </message>
    <message>
        <source>歌词本已满，只收录了其中一部分歌曲</source>
        <translation>歌詞本已滿，只收錄了其中一部分歌曲</translation>
    </message>
    <message>
        <source>已在列表中</source>
        <translation>已在清單中</translation>
    </message>
    <message>
        <source>其中 %1 首已在列表中</source>
        <translation>其中 %1 首已在清單中</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>記憶體不足</translation>
    </message>
    <message>
        <source>出错：%1</source>
        <translation>出錯：%1</translation>
    </message>
    <message>
        <source>无法写入歌曲（%1）</source>
        <translation>無法寫入歌曲（%1）</translation>
    </message>
    <message>
        <source>无法创建工作文件夹</source>
        <translation>無法建立工作資料夾</translation>
    </message>
    <message>
        <source>文件无法读入！
%1</source>
        <translation>檔案無法讀入！
%1</translation>
    </message>
    <message>
        <source>无法写入文件</source>
        <translation>無法寫入檔案</translation>
    </message>
    <message>
        <source>无法删除文件</source>
        <translation>無法刪除檔案</translation>
    </message>
    <message>
        <source>无法保存电子书</source>
        <translation>無法儲存電子書</translation>
    </message>
    <message>
        <source>找不到压缩程序 7za</source>
        <translation>找不到壓縮程式 7za</translation>
    </message>
    <message>
        <source>PATH 中也没有</source>
        <translation>PATH 中也沒有</translation>
    </message>
    <message>
        <source>无法启动程序</source>
        <translation>無法啟動程式</translation>
    </message>
    <message>
        <source>压缩程序 7za 出错（退出状态 %1）：%2
%3</source>
        <translation>壓縮程式 7za 出錯（結束狀態 %1）：%2
%3</translation>
    </message>
    <message>
        <source>压缩程序 7za 被终止（信号 %1）：%2</source>
        <translation>壓縮程式 7za 被終止（訊號 %1）：%2</translation>
    </message>
    <message>
        <source>无法等待压缩程序 7za</source>
        <translation>無法等待壓縮程式 7za</translation>
    </message>
    <message>
        <source>压缩程序 7za 写出的文件与预期不同</source>
        <translation>壓縮程式 7za 寫出的檔案與預期不同</translation>
    </message>
    <message>
        <source>无法传到手机</source>
        <translation>無法傳到手機</translation>
    </message>
    <message>
        <source>无法开始提供下载</source>
        <translation>無法開始提供下載</translation>
    </message>
    <message>
        <source>无法使用封面</source>
        <translation>無法使用封面</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>檔案不存在</translation>
    </message>
    <message>
        <source>不是文件</source>
        <translation>不是檔案</translation>
    </message>
    <message>
        <source>图像太大</source>
        <translation>影像太大</translation>
    </message>
    <message>
        <source>不是可用的图像：%1</source>
        <translation>不是可用的影像：%1</translation>
    </message>
    <message>
        <source>无法转换为 JPEG：%1</source>
        <translation>無法轉換為 JPEG：%1</translation>
    </message>
    <message>
        <source>歌词和歌名不能为空。</source>
        <translation>歌詞和歌名不能為空。</translation>
    </message>
    <message>
        <source>歌词本已满：最多只能收录 %1 首歌。</source>
        <translation>歌詞本已滿：最多只能收錄 %1 首歌。</translation>
    </message>
    <message>
        <source>正在制作，请稍等...</source>
        <translation>正在製作，請稍候...</translation>
    </message>
    <message>
        <source>输出content.opf...</source>
        <translation>輸出content.opf...</translation>
    </message>
    <message>
        <source>输出toc.ncx...</source>
        <translation>輸出toc.ncx...</translation>
    </message>
    <message>
        <source>输出titlepage.xhtml...</source>
        <translation>輸出titlepage.xhtml...</translation>
    </message>
    <message>
        <source>输出封面...</source>
        <translation>輸出封面...</translation>
    </message>
    <message>
        <source>打包...</source>
        <translation>打包...</translation>
    </message>
    <message>
        <source>制作完成</source>
        <translation>製作完成</translation>
    </message>
    <message>
        <source>制作失败</source>
        <translation>製作失敗</translation>
    </message>
    <message>
        <source>导入了 %1 首歌。</source>
        <translation>匯入了 %1 首歌。</translation>
    </message>
    <message>
        <source>导入已取消。</source>
        <translation>匯入已取消。</translation>
    </message>
    <message>
        <source>以下文件没有导入：</source>
        <translation>以下檔案沒有匯入：</translation>
    </message>
    <message>
        <source>
……另有 %1 个文件。</source>
        <translation>
……另有 %1 個檔案。</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>提示</translation>
    </message>
    <message>
        <source>操作未能完成：未知错误</source>
        <translation>操作未能完成：未知錯誤</translation>
    </message>
    <message>
        <source>操作未能完成：%1</source>
        <translation>操作未能完成：%1</translation>
    </message>
    <message>
        <source>正在制作，请等这一次制作完成。</source>
        <translation>正在製作，請等這一次製作完成。</translation>
    </message>
    <message>
        <source>书名不能为空。</source>
        <translation>書名不能為空。</translation>
    </message>
    <message>
        <source>《%1》已有 %2 首歌。要用没有歌曲的歌词本替换它吗？</source>
        <translation>《%1》已有 %2 首歌。要用沒有歌曲的歌詞本取代它嗎？</translation>
    </message>
    <message>
        <source>《%1》已经存在。要用没有歌曲的歌词本替换它吗？</source>
        <translation>《%1》已經存在。要用沒有歌曲的歌詞本取代它嗎？</translation>
    </message>
    <message>
        <source>上次的工作无法读取，无法恢复</source>
        <translation>上次的工作無法讀取，無法恢復</translation>
    </message>
    <message>
        <source>是一个文件夹</source>
        <translation>是一個資料夾</translation>
    </message>
    <message>
        <source>符号链接构成循环</source>
        <translation>符號連結形成迴圈</translation>
    </message>
    <message>
        <source>以下文件有无法识别的字符（显示为 �）：</source>
        <translation>以下檔案有無法辨識的字元（顯示為 �）：</translation>
    </message>
    <message>
        <source>成品文件夹里已有《%1》。要替换它吗？</source>
        <translation>成品資料夾裡已有《%1》。要取代它嗎？</translation>
    </message>
    <message>
        <source>成品文件夹里已有《%1》：%2 首歌，%3 制作。要替换它吗？</source>
        <translation>成品資料夾裡已有《%1》：%2 首歌，%3 製作。要取代它嗎？</translation>
    </message>
    <message>
        <source>无法载入简繁转换</source>
        <translation>無法載入簡繁轉換</translation>
    </message>
    <message>
        <source>不是 .lrc、.txt、.epub 或音频文件</source>
        <translation>不是 .lrc、.txt、.epub 或音訊檔案</translation>
    </message>
    <message>
        <source>音频文件的标签太大</source>
        <translation>音訊檔案的標籤太大</translation>
    </message>
    <message>
        <source>音频文件已损坏</source>
        <translation>音訊檔案已損壞</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1（%2）</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>已取消</translation>
    </message>
    <message>
        <source>%1 的元素太多或嵌套太深</source>
        <translation>%1 的元素太多或巢狀太深</translation>
    </message>
    <message>
        <source>太长了：歌名、歌手、词曲信息和歌词每项最多 %1 个字。</source>
        <translation>太長了：歌名、歌手、詞曲資訊和歌詞每項最多 %1 個字。</translation>
    </message>
    <message>
        <source>以下 %1 个文件没有导入：%2</source>
        <translation>以下 %1 個檔案沒有匯入：%2</translation>
    </message>
    <message>
        <source>无法保存 PDF</source>
        <translation>無法儲存 PDF</translation>
    </message>
    <message>
        <source>没有可以印中文的字体，无法导出或打印</source>
        <translation>沒有可以印中文的字型，無法匯出或列印</translation>
    </message>
    <message>
        <source>请先安装中文字体，如文泉驿微米黑</source>
        <translation>請先安裝中文字型，如文泉驛微米黑</translation>
    </message>
</context>
</TS>
