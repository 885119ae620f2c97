<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="zh_CN">
<context>
    <name>EditSongDialog</name>
    <message>
        <source>修改歌曲</source>
        <translation>Edit song</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>歌名：</source>
        <translation>Song:</translation>
    </message>
    <message>
        <source>歌手：</source>
        <translation>Artist:</translation>
    </message>
    <message>
        <source>歌词：</source>
        <translation>Lyrics:</translation>
    </message>
    <message>
        <source>词曲信息：</source>
        <translation>Credits:</translation>
    </message>
</context>
<context>
    <name>Form1</name>
    <message>
        <source>选择保存路径</source>
        <translation>Choose where to save</translation>
    </message>
    <message>
        <source>电子出版(*.epub)|*.epub</source>
        <translation>EPUB e-book(*.epub)|*.epub</translation>
    </message>
    <message>
        <source>选择封面图片</source>
        <translation>Choose a cover image</translation>
    </message>
    <message>
        <source>所有图像文件(*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png|JPEG文件交换格式(*.jpg;*.jpeg)|*.jpg;*.jpeg|可移植网络图形(*.png)|*.png</source>
        <translation>All image files(*.jpg;*.jpeg;*.png)|*.jpg;*.jpeg;*.png|JPEG File Interchange Format(*.jpg;*.jpeg)|*.jpg;*.jpeg|Portable Network Graphics(*.png)|*.png</translation>
    </message>
    <message>
        <source>有修改尚未制作</source>
        <translation>Changes not yet made into the book</translation>
    </message>
    <message>
        <source>无法打开：</source>
        <translation>Cannot open: </translation>
    </message>
    <message>
        <source>上次还有 %1 首歌没有做进电子书。要恢复吗？</source>
        <translation>%1 song(s) from last time were not made into an e-book yet. Restore them?</translation>
    </message>
    <message>
        <source>恢复</source>
        <translation>Restore</translation>
    </message>
    <message>
        <source>不要</source>
        <translation>Don&apos;t restore</translation>
    </message>
    <message>
        <source>制作完成，已另存到：</source>
        <translation>Done, also saved to: </translation>
    </message>
    <message>
        <source>制作完成，但没有另存到：</source>
        <translation>Done, but not saved to: </translation>
    </message>
    <message>
        <source>导入歌曲</source>
        <translation>Import songs</translation>
    </message>
    <message>
        <source>歌词和音乐文件(*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv)|*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv|所有文件(*)|*</source>
        <translation>Lyrics and music files(*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv)|*.lrc;*.txt;*.epub;*.mp3;*.flac;*.ogg;*.opus;*.m4a;*.mp4;*.ape;*.wv|All files(*)|*</translation>
    </message>
    <message>
        <source>歌名：</source>
        <translation>Song:</translation>
    </message>
    <message>
        <source>歌曲列表</source>
        <translation>Song list</translation>
    </message>
    <message>
        <source>歌词：</source>
        <translation>Lyrics:</translation>
    </message>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>歌词</source>
        <translation>Lyrics</translation>
    </message>
    <message>
        <source>保存路径：</source>
        <translation>Save to:</translation>
    </message>
    <message>
        <source>更改</source>
        <translation>Change…</translation>
    </message>
    <message>
        <source>自定义封面：</source>
        <translation>Cover:</translation>
    </message>
    <message>
        <source>书名：</source>
        <translation>Title:</translation>
    </message>
    <message>
        <source>作者：</source>
        <translation>Author:</translation>
    </message>
    <message>
        <source>开始制作</source>
        <translation>Make book</translation>
    </message>
    <message>
        <source>等待制作...</source>
        <translation>Ready to make...</translation>
    </message>
    <message>
        <source>传到手机</source>
        <translation>Send to phone</translation>
    </message>
    <message>
        <source>扫码下载到手机</source>
        <translation>Scan to download to phone</translation>
    </message>
    <message>
        <source>打开成品文件夹</source>
        <translation>Open output folder</translation>
    </message>
    <message>
        <source>上次有 %1 首歌，其中 %2 首还没做进电子书。要恢复吗？</source>
        <translation>%1 song(s) from last time, %2 of them not made into an e-book yet. Restore them?</translation>
    </message>
    <message>
        <source>导入文件夹</source>
        <translation>Import folder</translation>
    </message>
    <message>
        <source>共 %1 首</source>
        <translation>%1 song(s)</translation>
    </message>
    <message>
        <source>歌手：</source>
        <translation>Artist:</translation>
    </message>
    <message>
        <source>可不填</source>
        <translation>optional</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>查找歌名、歌手或歌词</source>
        <translation>Find a song, artist or lyric</translation>
    </message>
    <message>
        <source>先制作《%1》</source>
        <translation>Make “%1” first</translation>
    </message>
    <message>
        <source>制作完成：%1</source>
        <translation>Done: %1</translation>
    </message>
    <message>
        <source>在文件夹中显示</source>
        <translation>Show in folder</translation>
    </message>
    <message>
        <source>所有歌曲已是简体，没有要转换的</source>
        <translation>Every song is in Simplified Chinese already: nothing to convert</translation>
    </message>
    <message>
        <source>所有歌曲已是繁體，没有要转换的</source>
        <translation>Every song is in Traditional Chinese already: nothing to convert</translation>
    </message>
    <message>
        <source>已撤销：%1</source>
        <translation>Undone: %1</translation>
    </message>
    <message>
        <source>已重做：%1</source>
        <translation>Redone: %1</translation>
    </message>
    <message>
        <source>
（记录中有 %1 条无法读取，已跳过。）</source>
        <translation>
(%1 records could not be read and were skipped.)</translation>
    </message>
    <message>
        <source>正在转换…</source>
        <translation>Converting…</translation>
    </message>
    <message>
        <source>转换已取消，没有改动</source>
        <translation>Conversion cancelled; nothing changed</translation>
    </message>
    <message>
        <source>上次还有未添加的歌词。要恢复吗？</source>
        <translation>A song typed last time was never added. Restore it?</translation>
    </message>
    <message>
        <source>上次有 %1 首歌，都已做进电子书，还有未添加的歌词。要恢复吗？</source>
        <translation>Last time there were %1 song(s), all made into an e-book, and a song typed but never added. Restore them?</translation>
    </message>
    <message>
        <source>上次有 %1 首歌，其中 %2 首还没做进电子书，还有未添加的歌词。要恢复吗？</source>
        <translation>Last time there were %1 song(s), %2 of them not yet made into an e-book, and a song typed but never added. Restore them?</translation>
    </message>
    <message>
        <source>上次还有 %1 首歌没有做进电子书，还有未添加的歌词。要恢复吗？</source>
        <translation>%1 song(s) from last time were not made into an e-book yet, and a song typed was never added. Restore them?</translation>
    </message>
    <message>
        <source>新书的书名：</source>
        <translation>Title of the new book:</translation>
    </message>
    <message>
        <source>列表里还有没做进电子书的歌。要打开这本书替换它们吗？（可以撤销）</source>
        <translation>The list holds songs not yet made into an e-book. Open this book in their place? (It can be undone.)</translation>
    </message>
    <message>
        <source>打开</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>打开书</source>
        <translation>Open Book</translation>
    </message>
    <message>
        <source>已打开：%1</source>
        <translation>Opened: %1</translation>
    </message>
    <message>
        <source>《%1》（%2 首，%3 制作）</source>
        <translation>“%1” (%2 song(s), made %3)</translation>
    </message>
    <message>
        <source>（还没有制作过）</source>
        <translation>(None made yet)</translation>
    </message>
    <message>
        <source>继续编辑《%1》（%2 首，%3 制作）</source>
        <translation>Continue editing “%1” (%2 song(s), made %3)</translation>
    </message>
    <message>
        <source>转为%1</source>
        <translation>Convert to %1</translation>
    </message>
    <message>
        <source>已将 %1 首歌转为%2</source>
        <translation>%1 song(s) converted to %2</translation>
    </message>
    <message>
        <source>已将书名和作者转为%1</source>
        <translation>Title and author converted to %1</translation>
    </message>
    <message>
        <source>已添加。开头几行像词曲信息：</source>
        <translation>Added. The first lines look like credits:</translation>
    </message>
    <message>
        <source>已把开头几行设为词曲信息</source>
        <translation>The first lines are the song&apos;s credits now</translation>
    </message>
    <message>
        <source>设为词曲信息</source>
        <translation>Make them the credits</translation>
    </message>
    <message>
        <source>把开头几行设为词曲信息</source>
        <translation>Make the first lines the song&apos;s credits</translation>
    </message>
</context>
<context>
    <name>Guide</name>
    <message>
        <source>使用说明</source>
        <translation>Guide</translation>
    </message>
    <message>
        <source>关于 Velmora</source>
        <translation>About Velmora</translation>
    </message>
    <message>
        <source>Velmora %1
把输入或导入的歌词做成 EPUB 电子书。</source>
        <translation>Velmora %1
Makes the lyrics you type or import into an EPUB e-book.</translation>
    </message>
    <message>
        <source>&lt;h3&gt;Velmora 使用说明&lt;/h3&gt;&lt;p&gt;&lt;b&gt;添加歌曲&lt;/b&gt;：在“歌名”和“歌词”里输入，按“添加”（或 Ctrl+Enter）。右边的列表就是书里的歌，按书中的顺序。&lt;/p&gt;&lt;p&gt;&lt;b&gt;导入&lt;/b&gt;：文件 → 导入文件…（Ctrl+O）或导入文件夹…（Ctrl+Shift+O）；也可以把 .lrc、.txt 歌词文件、带歌词的音乐文件、文件夹或本程序做的 .epub 拖进窗口。&lt;/p&gt;&lt;p&gt;&lt;b&gt;修改&lt;/b&gt;：在列表里选中一首歌，Enter 修改，Delete 删除，Ctrl+↑ / Ctrl+↓ 移动；按住 Shift 或 Ctrl 点选（或 Ctrl+A）可以一次删除、移动几首。Ctrl+Z 撤销，Ctrl+Shift+Z 重做。右键菜单里也有这些命令。&lt;/p&gt;&lt;p&gt;&lt;b&gt;简繁转换&lt;/b&gt;：编辑 → 转换 → 简体、繁體（台灣用词）、繁體（香港）或繁體（只换字形），一次转换所有歌曲和书名、作者；Ctrl+Z 撤销。&lt;/p&gt;&lt;p&gt;&lt;b&gt;接着编辑&lt;/b&gt;：文件 → 最近的书 或 打开书…（Ctrl+Alt+O）把做过的书连同书名、作者、封面一起打开；列表空着时也可以点下面的“继续编辑”。&lt;/p&gt;&lt;p&gt;&lt;b&gt;书&lt;/b&gt;：“书名”和“作者”写进书里；“自定义封面”可以选一张 JPEG 或 PNG 图片；“保存路径”是书另存一份的地方（和成品文件夹相同时不另存）。&lt;/p&gt;&lt;p&gt;&lt;b&gt;制作&lt;/b&gt;：按“开始制作”（Ctrl+B）。书放在成品文件夹里：程序旁边的 finished 文件夹，程序所在的文件夹不能写入时是“文档/Velmora”；“打开成品文件夹”（Ctrl+E）打开它。&lt;/p&gt;&lt;p&gt;&lt;b&gt;传到手机&lt;/b&gt;：制作完成后按“传到手机”（Ctrl+M），用手机扫二维码下载；手机和电脑要连在同一个网络里。&lt;/p&gt;</source>
        <translation>&lt;h3&gt;Velmora guide&lt;/h3&gt;&lt;p&gt;&lt;b&gt;Adding songs&lt;/b&gt;: type into Song and Lyrics and press Add (or Ctrl+Enter). The list on the right holds the book&apos;s songs, in the book&apos;s order.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Importing&lt;/b&gt;: File → Import files… (Ctrl+O) or Import folder… (Ctrl+Shift+O); you can also drop .lrc and .txt lyric files, music files with lyrics, folders or .epub books made by this program onto the window.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Changing&lt;/b&gt;: select a song in the list; Enter changes it, Delete removes it, Ctrl+↑ / Ctrl+↓ move it; Shift- or Ctrl-click (or Ctrl+A) to remove or move several at once. Ctrl+Z undoes, Ctrl+Shift+Z redoes. The right-click menu has these commands too.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Chinese script&lt;/b&gt;: Edit → Convert → Simplified, Traditional (Taiwan), Traditional (Hong Kong) or Traditional (characters only) converts every song, the title and the author at once; Ctrl+Z undoes it.&lt;/p&gt;&lt;p&gt;&lt;b&gt;Going on with a book&lt;/b&gt;: File → Recent Books or Open Book… (Ctrl+Alt+O) opens a book made before, with its title, author and cover; an empty list also offers the last one.&lt;/p&gt;&lt;p&gt;&lt;b&gt;The book&lt;/b&gt;: Title and Author go into the book; Cover may name a JPEG or PNG picture; Save to is where a copy of the book goes (none when it is the output folder).&lt;/p&gt;&lt;p&gt;&lt;b&gt;Making&lt;/b&gt;: press Make book (Ctrl+B). The book goes into the output folder: the finished folder beside the program, or Documents/Velmora when the program&apos;s folder cannot be written; Open output folder (Ctrl+E) opens it.&lt;/p&gt;&lt;p&gt;&lt;b&gt;To a phone&lt;/b&gt;: once the book is made, press Send to phone (Ctrl+M) and scan the QR code with the phone; phone and computer must be on the same network.&lt;/p&gt;</translation>
    </message>
</context>
<context>
    <name>ImportProgressDialog</name>
    <message>
        <source>正在导入…</source>
        <translation>Importing…</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
</context>
<context>
    <name>ListCommands</name>
    <message>
        <source>撤销</source>
        <translation>Undo</translation>
    </message>
    <message>
        <source>重做</source>
        <translation>Redo</translation>
    </message>
    <message>
        <source>修改…</source>
        <translation>Edit…</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>上移</source>
        <translation>Move up</translation>
    </message>
    <message>
        <source>下移</source>
        <translation>Move down</translation>
    </message>
    <message>
        <source>导入…</source>
        <translation>Import…</translation>
    </message>
    <message>
        <source>确定删除第 %1 首《%2》吗？</source>
        <translation>Delete song %1, “%2”?</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>确定删除选中的 %1 首歌吗？</source>
        <translation>Remove the %1 selected songs?</translation>
    </message>
</context>
<context>
    <name>MainMenu</name>
    <message>
        <source>文件(&amp;F)</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>导入文件…</source>
        <translation>Import files…</translation>
    </message>
    <message>
        <source>导入文件夹…</source>
        <translation>Import folder…</translation>
    </message>
    <message>
        <source>开始制作</source>
        <translation>Make book</translation>
    </message>
    <message>
        <source>打开成品文件夹</source>
        <translation>Open output folder</translation>
    </message>
    <message>
        <source>传到手机</source>
        <translation>Send to phone</translation>
    </message>
    <message>
        <source>退出</source>
        <translation>Quit</translation>
    </message>
    <message>
        <source>编辑(&amp;E)</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>帮助(&amp;H)</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>使用说明</source>
        <translation>Guide</translation>
    </message>
    <message>
        <source>关于 Velmora</source>
        <translation>About Velmora</translation>
    </message>
    <message>
        <source>查找</source>
        <translation>Find</translation>
    </message>
    <message>
        <source>打开书…</source>
        <translation>Open Book…</translation>
    </message>
    <message>
        <source>最近的书</source>
        <translation>Recent Books</translation>
    </message>
    <message>
        <source>转换</source>
        <translation>Convert</translation>
    </message>
    <message>
        <source>简体</source>
        <translation>Simplified</translation>
    </message>
    <message>
        <source>繁體（台灣用词）</source>
        <translation>Traditional (Taiwan)</translation>
    </message>
    <message>
        <source>繁體（香港）</source>
        <translation>Traditional (Hong Kong)</translation>
    </message>
    <message>
        <source>繁體（只换字形）</source>
        <translation>Traditional (characters only)</translation>
    </message>
    <message>
        <source>页面设置…</source>
        <translation>Page Setup…</translation>
    </message>
    <message>
        <source>导出 PDF…</source>
        <translation>Export PDF…</translation>
    </message>
    <message>
        <source>打印预览…</source>
        <translation>Print Preview…</translation>
    </message>
    <message>
        <source>打印…</source>
        <translation>Print…</translation>
    </message>
</context>
<context>
    <name>PageSetupDialog</name>
    <message>
        <source>页面设置</source>
        <translation>Page Setup</translation>
    </message>
    <message>
        <source>Letter（美国信纸）</source>
        <translation>Letter</translation>
    </message>
    <message>
        <source> 毫米</source>
        <translation> mm</translation>
    </message>
    <message>
        <source> 磅</source>
        <translation> pt</translation>
    </message>
    <message>
        <source>每首歌从新的一页开始</source>
        <translation>Start each song on a new page</translation>
    </message>
    <message>
        <source>小册子：A5 页两页拼一张 A4，双面打印后对折装订</source>
        <translation>Booklet: A5 pages two to an A4 sheet, printed on both sides, folded and stapled</translation>
    </message>
    <message>
        <source>确定</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>纸张：</source>
        <translation>Paper:</translation>
    </message>
    <message>
        <source>页边距：</source>
        <translation>Margins:</translation>
    </message>
    <message>
        <source>歌词字号：</source>
        <translation>Lyric size:</translation>
    </message>
</context>
<context>
    <name>PhoneDialog</name>
    <message>
        <source>扫码下载到手机</source>
        <translation>Scan to download to phone</translation>
    </message>
    <message>
        <source>没有找到局域网地址</source>
        <translation>No local network address found</translation>
    </message>
    <message>
        <source>打开成品文件夹</source>
        <translation>Open output folder</translation>
    </message>
    <message>
        <source>文件：%1</source>
        <translation>File: %1</translation>
    </message>
    <message>
        <source>手机和电脑需要连在同一个网络</source>
        <translation>Phone and computer must be on the same network</translation>
    </message>
    <message>
        <source>关闭</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>局域网地址</source>
        <translation>Local network address</translation>
    </message>
    <message>
        <source>局域网地址：</source>
        <translation>Local network address:</translation>
    </message>
    <message>
        <source>二维码</source>
        <translation>QR code</translation>
    </message>
    <message>
        <source>下载地址</source>
        <translation>Download address</translation>
    </message>
    <message>
        <source>已完成下载：%1 次</source>
        <translation>Downloads completed: %1</translation>
    </message>
</context>
<context>
    <name>Questions</name>
    <message>
        <source>替换</source>
        <translation>Replace</translation>
    </message>
    <message>
        <source>另存为新书</source>
        <translation>Save as new book</translation>
    </message>
    <message>
        <source>取消</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>保存路径上已有这个文件：%1
要用歌词本替换它吗？</source>
        <translation>This file already exists: %1
Replace it with the lyrics book?</translation>
    </message>
    <message>
        <source>文件夹不存在，要新建吗？
%1</source>
        <translation>The folder does not exist. Create it?
%1</translation>
    </message>
    <message>
        <source>新建</source>
        <translation>Create</translation>
    </message>
</context>
<context>
    <name>SongChange</name>
    <message>
        <source>添加</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>导入</source>
        <translation>Import</translation>
    </message>
    <message>
        <source>修改</source>
        <translation>Edit</translation>
    </message>
    <message>
        <source>删除</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>移动</source>
        <translation>Move</translation>
    </message>
</context>
<context>
    <name>SongList</name>
    <message>
        <source>在左边输入歌名和歌词，或把歌词文件拖到这里</source>
        <translation>Type a song and its lyrics on the left, or drop lyric files here</translation>
    </message>
</context>
<context>
    <name>SongListModel</name>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
</context>
<context>
    <name>SongbookPrinting</name>
    <message>
        <source>列表里还没有歌。先添加歌曲，再导出或打印。</source>
        <translation>The list has no songs yet. Add songs first, then export or print.</translation>
    </message>
    <message>
        <source>导出 PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>PDF 文件 (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>已导出 PDF：%1</source>
        <translation>PDF exported: %1</translation>
    </message>
    <message>
        <source>打印预览</source>
        <translation>Print Preview</translation>
    </message>
    <message>
        <source>打印</source>
        <translation>Print</translation>
    </message>
</context>
<context>
    <name>Words</name>
    <message>
        <source>%1：%2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1：%2（%3）</source>
        <translation>%1: %2 (%3)</translation>
    </message>
    <message>
        <source>磁盘空间不足</source>
        <translation>Not enough disk space</translation>
    </message>
    <message>
        <source>没有权限</source>
        <translation>Permission denied</translation>
    </message>
    <message>
        <source>只读文件系统</source>
        <translation>Read-only file system</translation>
    </message>
    <message>
        <source>文件或文件夹不存在</source>
        <translation>No such file or folder</translation>
    </message>
    <message>
        <source>文件名太长</source>
        <translation>File name too long</translation>
    </message>
    <message>
        <source>文件正被占用</source>
        <translation>File is in use</translation>
    </message>
    <message>
        <source>不是普通文件</source>
        <translation>Not a regular file</translation>
    </message>
    <message>
        <source>无法读取（%1）</source>
        <translation>Cannot read (%1)</translation>
    </message>
    <message>
        <source>文件太大</source>
        <translation>File too large</translation>
    </message>
    <message>
        <source>文件是空的</source>
        <translation>File is empty</translation>
    </message>
    <message>
        <source>不是文本文件</source>
        <translation>Not a text file</translation>
    </message>
    <message>
        <source>没有歌词</source>
        <translation>No lyrics</translation>
    </message>
    <message>
        <source>歌词太长</source>
        <translation>Lyrics too long</translation>
    </message>
    <message>
        <source>不是 ZIP 文件</source>
        <translation>Not a ZIP file</translation>
    </message>
    <message>
        <source>ZIP 文件已损坏</source>
        <translation>ZIP file is damaged</translation>
    </message>
    <message>
        <source>解压后太大，不像歌词本</source>
        <translation>Too large when unpacked for a lyrics book</translation>
    </message>
    <message>
        <source>不是 Velmora 制作的歌词本</source>
        <translation>Not a lyrics book made by Velmora</translation>
    </message>
    <message>
        <source>缺少 %1</source>
        <translation>%1 is missing</translation>
    </message>
    <message>
        <source>%1 不是合格的 XML</source>
        <translation>%1 is not valid XML</translation>
    </message>
    <message>
        <source>%1 不是歌曲页</source>
        <translation>%1 is not a song page</translation>
    </message>
    <message>
        <source>歌词本中有缺少歌名或歌词的歌曲页</source>
        <translation>The lyrics book has song pages without a song name or lyrics</translation>
    </message>
    <message>
        <source>歌曲页太多：最多只能收录 %1 首歌</source>
        <translation>Too many song pages: a book holds at most %1 songs</translation>
    </message>
    <message>
        <source>歌词本已满：最多只能收录 %1 首歌</source>
        <translation>The lyrics book is full: it holds at most %1 songs</translation>
    </message>
    <message>
        <source>歌词本已满，只收录了其中一部分歌曲</source>
        <translation>The lyrics book is full; only some of the songs were added</translation>
    </message>
    <message>
        <source>已在列表中</source>
        <translation>Already in the list</translation>
    </message>
    <message>
        <source>其中 %1 首已在列表中</source>
        <translation>%1 of them already in the list</translation>
    </message>
    <message>
        <source>内存不足</source>
        <translation>Out of memory</translation>
    </message>
    <message>
        <source>出错：%1</source>
        <translation>Error: %1</translation>
    </message>
    <message>
        <source>无法写入歌曲（%1）</source>
        <translation>Cannot write the songs (%1)</translation>
    </message>
    <message>
        <source>无法创建工作文件夹</source>
        <translation>Cannot create the working folder</translation>
    </message>
    <message>
        <source>文件无法读入！
%1</source>
        <translation>Cannot read the file!
%1</translation>
    </message>
    <message>
        <source>无法写入文件</source>
        <translation>Cannot write the file</translation>
    </message>
    <message>
        <source>无法删除文件</source>
        <translation>Cannot delete the file</translation>
    </message>
    <message>
        <source>无法保存电子书</source>
        <translation>Cannot save the e-book</translation>
    </message>
    <message>
        <source>找不到压缩程序 7za</source>
        <translation>Cannot find the compressor 7za</translation>
    </message>
    <message>
        <source>PATH 中也没有</source>
        <translation>not in PATH either</translation>
    </message>
    <message>
        <source>无法启动程序</source>
        <translation>Cannot start the program</translation>
    </message>
    <message>
        <source>压缩程序 7za 出错（退出状态 %1）：%2
%3</source>
        <translation>Compressor 7za failed (exit status %1): %2
%3</translation>
    </message>
    <message>
        <source>压缩程序 7za 被终止（信号 %1）：%2</source>
        <translation>Compressor 7za was killed (signal %1): %2</translation>
    </message>
    <message>
        <source>无法等待压缩程序 7za</source>
        <translation>Cannot wait for the compressor 7za</translation>
    </message>
    <message>
        <source>压缩程序 7za 写出的文件与预期不同</source>
        <translation>Compressor 7za wrote a different file than expected</translation>
    </message>
    <message>
        <source>无法传到手机</source>
        <translation>Cannot send to phone</translation>
    </message>
    <message>
        <source>无法开始提供下载</source>
        <translation>Cannot start serving the download</translation>
    </message>
    <message>
        <source>无法使用封面</source>
        <translation>Cannot use the cover</translation>
    </message>
    <message>
        <source>文件不存在</source>
        <translation>File does not exist</translation>
    </message>
    <message>
        <source>不是文件</source>
        <translation>Not a file</translation>
    </message>
    <message>
        <source>图像太大</source>
        <translation>Image too large</translation>
    </message>
    <message>
        <source>不是可用的图像：%1</source>
        <translation>Not a usable image: %1</translation>
    </message>
    <message>
        <source>无法转换为 JPEG：%1</source>
        <translation>Cannot convert to JPEG: %1</translation>
    </message>
    <message>
        <source>歌词和歌名不能为空。</source>
        <translation>Song name and lyrics cannot be empty.</translation>
    </message>
    <message>
        <source>歌词本已满：最多只能收录 %1 首歌。</source>
        <translation>The lyrics book is full: it holds at most %1 songs.</translation>
    </message>
    <message>
        <source>正在制作，请稍等...</source>
        <translation>Making the book, please wait...</translation>
    </message>
    <message>
        <source>输出content.opf...</source>
        <translation>Writing content.opf...</translation>
    </message>
    <message>
        <source>输出toc.ncx...</source>
        <translation>Writing toc.ncx...</translation>
    </message>
    <message>
        <source>输出titlepage.xhtml...</source>
        <translation>Writing titlepage.xhtml...</translation>
    </message>
    <message>
        <source>输出封面...</source>
        <translation>Writing cover...</translation>
    </message>
    <message>
        <source>打包...</source>
        <translation>Packing...</translation>
    </message>
    <message>
        <source>制作完成</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>制作失败</source>
        <translation>Failed</translation>
    </message>
    <message>
        <source>导入了 %1 首歌。</source>
        <translation>Songs imported: %1. </translation>
    </message>
    <message>
        <source>导入已取消。</source>
        <translation>Import cancelled. </translation>
    </message>
    <message>
        <source>以下文件没有导入：</source>
        <translation>These files were not imported:</translation>
    </message>
    <message>
        <source>
……另有 %1 个文件。</source>
        <translation>
…and %1 more file(s).</translation>
    </message>
    <message>
        <source>提示</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>操作未能完成：未知错误</source>
        <translation>The operation could not be completed: unknown error</translation>
    </message>
    <message>
        <source>操作未能完成：%1</source>
        <translation>The operation could not be completed: %1</translation>
    </message>
    <message>
        <source>正在制作，请等这一次制作完成。</source>
        <translation>A book is being made. Please wait until it is done.</translation>
    </message>
    <message>
        <source>书名不能为空。</source>
        <translation>Title cannot be empty.</translation>
    </message>
    <message>
        <source>《%1》已有 %2 首歌。要用没有歌曲的歌词本替换它吗？</source>
        <translation>“%1” already holds %2 song(s). Replace it with an empty lyrics book?</translation>
    </message>
    <message>
        <source>《%1》已经存在。要用没有歌曲的歌词本替换它吗？</source>
        <translation>“%1” already exists. Replace it with an empty lyrics book?</translation>
    </message>
    <message>
        <source>上次的工作无法读取，无法恢复</source>
        <translation>The work from last time cannot be read to restore it</translation>
    </message>
    <message>
        <source>是一个文件夹</source>
        <translation>it is a folder</translation>
    </message>
    <message>
        <source>符号链接构成循环</source>
        <translation>the symbolic links form a loop</translation>
    </message>
    <message>
        <source>以下文件有无法识别的字符（显示为 �）：</source>
        <translation>These files have characters that could not be read (shown as �):</translation>
    </message>
    <message>
        <source>成品文件夹里已有《%1》。要替换它吗？</source>
        <translation>The output folder already holds “%1”. Replace it?</translation>
    </message>
    <message>
        <source>成品文件夹里已有《%1》：%2 首歌，%3 制作。要替换它吗？</source>
        <translation>The output folder already holds “%1”: %2 song(s), made %3. Replace it?</translation>
    </message>
    <message>
        <source>无法载入简繁转换</source>
        <translation>Cannot load the Chinese script conversion</translation>
    </message>
    <message>
        <source>不是 .lrc、.txt、.epub 或音频文件</source>
        <translation>Not a .lrc, .txt, .epub or audio file</translation>
    </message>
    <message>
        <source>音频文件的标签太大</source>
        <translation>The audio file&apos;s tag is too large</translation>
    </message>
    <message>
        <source>音频文件已损坏</source>
        <translation>Audio file is damaged</translation>
    </message>
    <message>
        <source>%1（%2）</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>已取消</source>
        <translation>Cancelled</translation>
    </message>
    <message>
        <source>%1 的元素太多或嵌套太深</source>
        <translation>%1 has too many elements, or nests them too deep</translation>
    </message>
    <message>
        <source>太长了：歌名、歌手、词曲信息和歌词每项最多 %1 个字。</source>
        <translation>Too long: a song name, artist, credits or lyric may have at most %1 characters.</translation>
    </message>
    <message>
        <source>以下 %1 个文件没有导入：%2</source>
        <translation>These %1 files were not imported: %2</translation>
    </message>
    <message>
        <source>无法保存 PDF</source>
        <translation>Cannot save the PDF</translation>
    </message>
    <message>
        <source>没有可以印中文的字体，无法导出或打印</source>
        <translation>No installed font has Chinese: the songbook cannot be exported or printed</translation>
    </message>
    <message>
        <source>请先安装中文字体，如文泉驿微米黑</source>
        <translation>install a Chinese font first, such as WenQuanYi Micro Hei</translation>
    </message>
</context>
</TS>
