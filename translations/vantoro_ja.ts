<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ja_JP">
<context>
    <name>Key</name>
    <message>
        <source>Zero</source>
        <translation>0</translation>
    </message>
    <message>
        <source>Keypad 0</source>
        <translation>テンキー 0</translation>
    </message>
    <message>
        <source>One</source>
        <translation>1</translation>
    </message>
    <message>
        <source>Keypad 1</source>
        <translation>テンキー 1</translation>
    </message>
    <message>
        <source>Two</source>
        <translation>2</translation>
    </message>
    <message>
        <source>Keypad 2</source>
        <translation>テンキー 2</translation>
    </message>
    <message>
        <source>Three</source>
        <translation>3</translation>
    </message>
    <message>
        <source>Keypad 3</source>
        <translation>テンキー 3</translation>
    </message>
    <message>
        <source>Four</source>
        <translation>4</translation>
    </message>
    <message>
        <source>Keypad 4</source>
        <translation>テンキー 4</translation>
    </message>
    <message>
        <source>Five</source>
        <translation>5</translation>
    </message>
    <message>
        <source>Keypad 5</source>
        <translation>テンキー 5</translation>
    </message>
    <message>
        <source>Six</source>
        <translation>6</translation>
    </message>
    <message>
        <source>Keypad 6</source>
        <translation>テンキー 6</translation>
    </message>
    <message>
        <source>Seven</source>
        <translation>7</translation>
    </message>
    <message>
        <source>Keypad 7</source>
        <translation>テンキー 7</translation>
    </message>
    <message>
        <source>Eight</source>
        <translation>8</translation>
    </message>
    <message>
        <source>Keypad 8</source>
        <translation>テンキー 8</translation>
    </message>
    <message>
        <source>Nine</source>
        <translation>9</translation>
    </message>
    <message>
        <source>Keypad 9</source>
        <translation>テンキー 9</translation>
    </message>
    <message>
        <source>Plus</source>
        <translation>プラス</translation>
    </message>
    <message>
        <source>Keypad +</source>
        <translation>テンキー +</translation>
    </message>
    <message>
        <source>Minus</source>
        <translation>マイナス</translation>
    </message>
    <message>
        <source>Keypad -</source>
        <translation>テンキー -</translation>
    </message>
    <message>
        <source>Times</source>
        <translation>かける</translation>
    </message>
    <message>
        <source>Keypad *</source>
        <translation>テンキー *</translation>
    </message>
    <message>
        <source>Divided by</source>
        <translation>割る</translation>
    </message>
    <message>
        <source>Keypad /</source>
        <translation>テンキー /</translation>
    </message>
    <message>
        <source>Decimal point</source>
        <translation>小数点</translation>
    </message>
    <message>
        <source>Keypad .</source>
        <translation>テンキー .</translation>
    </message>
    <message>
        <source>Equals</source>
        <translation>イコール</translation>
    </message>
    <message>
        <source>Enter</source>
        <translation>Enter</translation>
    </message>
    <message>
        <source>Clear entry</source>
        <translation>クリアエントリー</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Delete</translation>
    </message>
    <message>
        <source>All clear</source>
        <translation>オールクリア</translation>
    </message>
    <message>
        <source>Home</source>
        <translation>Home</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>時計</translation>
    </message>
    <message>
        <source>T</source>
        <translation>T</translation>
    </message>
    <message>
        <source>Hours</source>
        <translation>時間</translation>
    </message>
    <message>
        <source>H</source>
        <translation>H</translation>
    </message>
    <message>
        <source>Minutes</source>
        <translation>分</translation>
    </message>
    <message>
        <source>M</source>
        <translation>M</translation>
    </message>
    <message>
        <source>Seconds</source>
        <translation>秒</translation>
    </message>
    <message>
        <source>S</source>
        <translation>S</translation>
    </message>
    <message>
        <source>Convert H:M:S to seconds</source>
        <translation>時分秒を秒に変換</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>スペース</translation>
    </message>
    <message>
        <source>Percent</source>
        <translation>パーセント</translation>
    </message>
    <message>
        <source>P</source>
        <translation>P</translation>
    </message>
    <message>
        <source>Square root</source>
        <translation>ルート</translation>
    </message>
    <message>
        <source>R</source>
        <translation>R</translation>
    </message>
    <message>
        <source>Input mode switch</source>
        <translation>入力方式の切り替え</translation>
    </message>
    <message>
        <source>U</source>
        <translation>U</translation>
    </message>
    <message>
        <source>Copy to clipboard</source>
        <translation>クリップボードにコピー</translation>
    </message>
    <message>
        <source>C</source>
        <translation>C</translation>
    </message>
    <message>
        <source>History</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>L</source>
        <translation>L</translation>
    </message>
    <message>
        <source>About</source>
        <translation>バージョン情報</translation>
    </message>
    <message>
        <source>A</source>
        <translation>A</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>F</source>
        <translation>F</translation>
    </message>
</context>
<context>
    <name>Speech</name>
    <message>
        <source>%1 hour</source>
        <translation>%1時間</translation>
    </message>
    <message>
        <source>%1 hours</source>
        <translation>%1時間</translation>
    </message>
    <message>
        <source>%1 minute</source>
        <translation>%1分</translation>
    </message>
    <message>
        <source>%1 minutes</source>
        <translation>%1分</translation>
    </message>
    <message>
        <source>%1 second</source>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>%1 seconds</source>
        <translation>%1秒</translation>
    </message>
    <message>
        <source>plus</source>
        <translation>プラス</translation>
    </message>
    <message>
        <source>minus</source>
        <translation>マイナス</translation>
    </message>
    <message>
        <source>times</source>
        <translation>かける</translation>
    </message>
    <message>
        <source>divided by</source>
        <translation>割る</translation>
    </message>
    <message>
        <source>equals</source>
        <translation>イコール</translation>
    </message>
    <message>
        <source>percent</source>
        <translation>パーセント</translation>
    </message>
    <message>
        <source>square root</source>
        <translation>ルート</translation>
    </message>
    <message>
        <source>%1 %2 %3</source>
        <comment>hours, minutes, seconds</comment>
        <translation>%1%2%3</translation>
    </message>
    <message>
        <source>minus %1</source>
        <comment>a negative value</comment>
        <translation>マイナス%1</translation>
    </message>
    <message>
        <source>Convert seconds to H:M:S</source>
        <translation>秒を時分秒に変換</translation>
    </message>
    <message>
        <source>Convert H:M:S to seconds</source>
        <translation>時分秒を秒に変換</translation>
    </message>
    <message>
        <source>Switch to unit input</source>
        <translation>単位入力に切り替え</translation>
    </message>
    <message>
        <source>Switch to automatic input</source>
        <translation>自動入力に切り替え</translation>
    </message>
    <message>
        <source>Minimise</source>
        <translation>最小化</translation>
    </message>
    <message>
        <source>Display</source>
        <translation>表示部</translation>
    </message>
    <message>
        <source>Mode: clock</source>
        <translation>モード: 時計</translation>
    </message>
    <message>
        <source>Mode: H:M:S, automatic input</source>
        <translation>モード: 時分秒、自動入力</translation>
    </message>
    <message>
        <source>Mode: H:M:S, unit input</source>
        <translation>モード: 時分秒、単位入力</translation>
    </message>
    <message>
        <source>Mode: seconds</source>
        <translation>モード: 秒</translation>
    </message>
    <message>
        <source>Mode: %1</source>
        <translation>モード: %1</translation>
    </message>
    <message>
        <source>Sign: minus</source>
        <translation>符号: マイナス</translation>
    </message>
    <message>
        <source>No sign</source>
        <translation>符号なし</translation>
    </message>
    <message>
        <source>No operator</source>
        <translation>演算子なし</translation>
    </message>
    <message>
        <source>Operator: %1</source>
        <translation>演算子: %1</translation>
    </message>
    <message>
        <source>Calculator keyboard</source>
        <translation>電卓のキーボード</translation>
    </message>
    <message>
        <source>Clock, %1</source>
        <translation>時計、%1</translation>
    </message>
    <message>
        <source>%1, awaiting unit</source>
        <translation>%1、単位待ち</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <comment>value, operator</comment>
        <translation>%1、%2</translation>
    </message>
    <message>
        <source>unavailable until the number gets its unit</source>
        <translation>単位キーを押すまで使えません</translation>
    </message>
    <message>
        <source>unavailable while a number is being keyed</source>
        <translation>数値の入力中は使えません</translation>
    </message>
    <message>
        <source>unavailable in this mode</source>
        <translation>このモードでは使えません</translation>
    </message>
    <message>
        <source>%1 %2</source>
        <comment>operator, value</comment>
        <translation>%1 %2</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>終了</translation>
    </message>
    <message>
        <source>Copy value to clipboard</source>
        <translation>クリップボードにコピー</translation>
    </message>
    <message>
        <source>History list</source>
        <translation>履歴</translation>
    </message>
    <message>
        <source>Clock</source>
        <translation>時計</translation>
    </message>
    <message>
        <source>About Vantoro</source>
        <translation>バージョン情報</translation>
    </message>
</context>
<context>
    <name>vantoro::AboutWindow</name>
    <message>
        <source>About Vantoro</source>
        <translation>Vantoro について</translation>
    </message>
    <message>
        <source>Close the About window</source>
        <translation>バージョン情報を閉じる</translation>
    </message>
    <message>
        <source>Vantoro icon</source>
        <translation>Vantoro のアイコン</translation>
    </message>
</context>
<context>
    <name>vantoro::HistoryWindow</name>
    <message>
        <source>History lines</source>
        <translation>履歴の行</translation>
    </message>
</context>
</TS>
