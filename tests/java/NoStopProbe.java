// Test program for service mode on a real runtime without a stop method: main blocks until the
// program is ended from outside, and a shutdown hook reports that it ran.
public class NoStopProbe {
  public static void main(String[] args) throws Exception {
    Runtime.getRuntime().addShutdownHook(new Thread(() -> {
      System.out.println("hook ran");
      System.out.flush();
    }));
    System.out.println("ready");
    System.out.flush();
    Thread.sleep(60000);
    System.out.println("main returned");
  }
}
